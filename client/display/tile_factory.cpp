#include "client/display/tile_factory.h"

#include <array>

#include "client/display/tile_blank.h"
#include "client/display/tiles/tile_alert.h"
#include "client/display/tiles/tile_html.h"
#include "client/display/tiles/tile_icons.h"
#include "client/display/tiles/tile_image.h"
#include "client/display/tiles/tile_meter.h"
#include "client/display/tiles/tile_power.h"
#include "client/display/tiles/tile_status.h"
#include "client/display/tiles/tile_text.h"
#include "client/display/zol_client_view.h"
#include "client/model/design.h"

namespace zol {

const char* TileWindowName(std::int32_t tileType) {
    static constexpr std::array<const char*, 9> kNames{"Blank", "HTML",  "Icons", "Image", "Power",
                                                       "Text",  "Meter", "Alert", "Status"};
    if (tileType < 0 || tileType >= static_cast<std::int32_t>(kNames.size()))
        return nullptr;
    return kNames[static_cast<std::size_t>(tileType)];
}

CTileWindow* CreateTileWindow(CZOLClientView& view, const DisplayRecord& display, std::size_t index,
                              const TileRecord& record) {
    const char* name = TileWindowName(record.tileType);
    if (name == nullptr)
        return nullptr;
    switch (record.tileType) {
        case TileBlank:
            return new CTileBlank(view, display.displayId, index);
        case TileIcons: {
            const IconsTileData* data = record.DataAs<IconsTileData>();
            const Design* design = view.CurrentDesign();
            if (data == nullptr || design == nullptr ||
                design->FindDisplay(data->sourceDisplayId) == nullptr) {
                return nullptr;
            }
            return new CTileIcons(view, display.displayId, index);
        }
        case TileHtml:
            return new CTileHTML(view, display.displayId, index);
        case TileImage:
            return new CTileImage(view, display.displayId, index);
        case TilePower:
            return new CTilePower(view, display.displayId, index);
        case TileText:
            return new CTileText(view, display.displayId, index);
        case TileMeter:
            return new CTileMeter(view, display.displayId, index);
        case TileAlert:
            return new CTileAlert(view, display.displayId, index);
        case TileStatus:
            return new CTileStatus(view, display.displayId, index);
        default:
            return nullptr;
    }
}

}  // namespace zol
