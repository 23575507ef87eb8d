// CTileImage: a picture file named by the design, fetched from the server
// (once, or at every load) and drawn centred in the tile.
#pragma once

#include <QImage>

#include <string>

#include "client/display/tile_window.h"

namespace zol {

class CTileImage : public CTileWindow {
    Q_OBJECT
  public:
    CTileImage(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex);

    void UpdateTile(bool layoutOnly, bool force) override;
    void OnViewResized() override;

    const QImage& Picture() const { return picture_; }
    // Where the picture goes in the content rectangle (before clipping).
    QRect PictureRect(const TileRecord& record) const;

  protected:
    void PaintContent(QPainter& painter, const TileRecord& record) override;
    bool RefreshContent() override;

  private:
    // Fetches (when due) and decodes the picture. A quiet load (refresh
    // ticks) shows nothing and keeps the picture it had when it fails.
    // False when the tile went while the server was asked.
    bool Load(bool quiet);

    std::string imagePath_;
    QImage picture_;
};

}  // namespace zol
