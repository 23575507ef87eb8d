#include "client/display/tile_plain.h"

#include <QPointer>

#include "client/model/tile_record.h"

namespace zol {

CTilePlain::CTilePlain(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex,
                       const char* windowName)
    : CTileWindow(view, displayId, tileIndex, windowName) {}

void CTilePlain::UpdateTile(bool layoutOnly, bool) {
    if (!UpdateBase(layoutOnly) || layoutOnly)
        return;
    StartRefreshTimer();
}

void CTilePlain::OnViewResized() {
    const TileRecord* record = Record();
    if (record == nullptr)
        return;
    switch (record->tileType) {
        case TileHtml:
        case TileText:
        case TileStatus:
            UpdateTile(true, false);
            return;
        default:
            CTileWindow::OnViewResized();
            return;
    }
}

}  // namespace zol
