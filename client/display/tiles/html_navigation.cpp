#include "client/display/tiles/html_navigation.h"

namespace zol {

bool HtmlTileMayOpen(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                             scheme == QLatin1String("file"));
}

}  // namespace zol
