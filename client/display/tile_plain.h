// CTilePlain: what HTML, image, power, text, meter, alert and status tiles
// are until their own classes exist: background and label with the base's
// refresh (label formatted again, refresh program run), so a tiled display
// already shows its layout.
#pragma once

#include "client/display/tile_window.h"

namespace zol {

class CTilePlain : public CTileWindow {
    Q_OBJECT
  public:
    CTilePlain(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex,
               const char* windowName);

    void UpdateTile(bool layoutOnly, bool force) override;
    void OnViewResized() override;
};

}  // namespace zol
