// CTileHTML: a web page in the tile, named by the tile itself, by the server
// for a display, or supplied by the server as a file that the tile downloads
// into the working folder. Taps on the page act as the tile's tap action
// when it has one; otherwise they go to the page.
#pragma once

#include <QPointer>
#include <QUrl>

#include "client/display/tile_window.h"

namespace zol {

class CTileHTML : public CTileWindow {
    Q_OBJECT
  public:
    CTileHTML(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex);

    void UpdateTile(bool layoutOnly, bool force) override;
    void OnViewResized() override;

    // The web view (from the HTML view module); null until the tile first
    // shows a page, and when the module cannot be loaded.
    QWidget* Browser() const { return browser_; }
    // The last address the tile asked the browser to open.
    const QUrl& Requested() const { return requested_; }
    // Where the browser sits in the tile.
    QRect BrowserRect() const;

  protected:
    bool ContentCoversBackground() const override { return true; }
    bool RefreshContent() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Opens the tile's page; a quiet one (refresh ticks) shows no failure
    // and keeps the page shown. False when the tile went meanwhile.
    bool Navigate(bool quiet);
    void Open(const QUrl& url);
    void WatchFocusProxy();
    // Acts on a tap on the page; false when the page should get it.
    bool TapAction();

    QPointer<QWidget> browser_;
    QPointer<QObject> watchedProxy_;
    QUrl requested_;
};

}  // namespace zol
