// Makes the browsers of the HTML tiles from the HTML view module, which is
// loaded the first time a tile needs one (see client/htmlview/).
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <filesystem>
#include <vector>

class QWidget;

namespace zol {

// Where the module is looked for, in this order: beside the program's
// prefix (<prefix>/lib/zol, for an installed client), then where this build
// put it.
std::vector<std::filesystem::path> HtmlViewModuleCandidates();

// A new browser, child of `parent`; null when the module cannot be loaded,
// which the log tells once with the reason.
QWidget* CreateHtmlView(QWidget* parent);

}  // namespace zol
