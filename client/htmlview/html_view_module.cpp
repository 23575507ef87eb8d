// The browser of the HTML tiles, in a module of its own: Qt WebEngine is by
// far the largest library the client could link, and loading it at start
// would cost every panel that shows no web page a good part of its start-up.
// The client loads this module when its first HTML tile needs a browser.
#include <QWebEngineView>

#include "client/htmlview/html_tile_page.h"
#include "client/htmlview/html_view_entry.h"

extern "C" Q_DECL_EXPORT QWidget* ZolCreateHtmlView(QWidget* parent) {
    auto* view = new QWebEngineView(parent);
    view->setPage(new zol::CHtmlTilePage(view));
    return view;
}
