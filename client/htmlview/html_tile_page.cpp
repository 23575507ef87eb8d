#include "client/htmlview/html_tile_page.h"

#include "client/display/tiles/html_navigation.h"

namespace zol {

bool CHtmlTilePage::acceptNavigationRequest(const QUrl& url, NavigationType, bool) {
    return HtmlTileMayOpen(url);
}

}  // namespace zol
