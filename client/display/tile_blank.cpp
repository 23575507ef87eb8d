#include "client/display/tile_blank.h"

namespace zol {

CTileBlank::CTileBlank(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex)
    : CTileWindow(view, displayId, tileIndex, "Blank") {}

void CTileBlank::UpdateTile(bool layoutOnly, bool) {
    UpdateBase(layoutOnly);
}

void CTileBlank::OnViewResized() {
    LayoutTile();
}

}  // namespace zol
