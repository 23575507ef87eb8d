// The pages an HTML tile may open: web pages (http, https) and local files.
// Everything else a server or a page could name (javascript:, data:, custom
// schemes that start programs) is refused.
#pragma once

#include <QUrl>

namespace zol {

bool HtmlTileMayOpen(const QUrl& url);

}  // namespace zol
