#include "client/model/tile_record.h"

namespace zol {

TileData DefaultTileData(std::int32_t tileType) {
    switch (tileType) {
        case TileHtml:
            return HtmlTileData{};
        case TileIcons:
            return IconsTileData{};
        case TileImage:
            return ImageTileData{};
        case TilePower:
            return PowerTileData{};
        case TileText:
            return TextTileData{};
        case TileMeter:
            return MeterTileData{};
        default:
            return PlainTileData{};
    }
}

}  // namespace zol
