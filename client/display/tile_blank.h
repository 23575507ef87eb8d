// CTileBlank: a tile with background and label only.
#pragma once

#include "client/display/tile_window.h"

namespace zol {

class CTileBlank : public CTileWindow {
    Q_OBJECT
  public:
    CTileBlank(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex);

    void UpdateTile(bool layoutOnly, bool force) override;
    // Resizing only lays the tile out again: it has no refresh.
    void OnViewResized() override;
};

}  // namespace zol
