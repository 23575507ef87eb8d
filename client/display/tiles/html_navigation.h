// The pages an HTML tile may open: web pages (http, https) and local files.
// Everything else a server or a page could name (javascript:, data:, custom
// schemes that start programs) is refused.
#pragma once

#include <QUrl>
#include <QWebEnginePage>

namespace zol {

bool HtmlTileMayOpen(const QUrl& url);

// A page that refuses every navigation HtmlTileMayOpen refuses, whether the
// tile or the page itself asks for it.
class CHtmlTilePage : public QWebEnginePage {
    Q_OBJECT
  public:
    explicit CHtmlTilePage(QObject* parent) : QWebEnginePage(parent) {}

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
};

}  // namespace zol
