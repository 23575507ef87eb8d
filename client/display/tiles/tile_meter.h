// CTileMeter: an analogue gauge of the power all devices draw now. The
// needle is worked out at every paint from the levels the design holds, so
// a device change moves it without a request.
#pragma once

#include <QImage>

#include "client/display/tile_window.h"

namespace zol {

class CTileMeter : public CTileWindow {
    Q_OBJECT
  public:
    CTileMeter(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex);

    void UpdateTile(bool layoutOnly, bool force) override;
    void ObjectChanged(std::int32_t objectId) override;

  protected:
    void PaintContent(QPainter& painter, const TileRecord& record) override;
    bool RefreshContent() override;

  private:
    QImage gauge_;
};

}  // namespace zol
