// The page of an HTML tile's browser: it refuses every navigation that
// HtmlTileMayOpen refuses, whether the tile or the page itself asks for it.
#pragma once

#include <QWebEnginePage>

namespace zol {

class CHtmlTilePage : public QWebEnginePage {
    Q_OBJECT
  public:
    explicit CHtmlTilePage(QObject* parent) : QWebEnginePage(parent) {}

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
};

}  // namespace zol
