// The one function the HTML view module exports: a web view (a widget with
// the properties "url" and "zoomFactor" and the slot "reload()") that opens
// only what an HTML tile may open.
#pragma once

inline constexpr const char* kZolCreateHtmlViewSymbol = "ZolCreateHtmlView";
