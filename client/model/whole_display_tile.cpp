#include "client/model/whole_display_tile.h"

namespace zol {

namespace {

void SetContent(TileRecord& tile, const DisplayRecord& display, const std::string& text) {
    switch (display.displayKind) {
        case DisplayIcons:
        case DisplayRecentIcons: {
            IconsTileData icons;
            icons.sourceDisplayId = display.displayId;
            tile.tileType = TileIcons;
            tile.typeData = icons;
            return;
        }
        case DisplayHtml:
        case DisplayHtmlFolder:
            tile.tileType = TileHtml;
            tile.typeData = HtmlTileData{0, display.displayId, {}};
            return;
        case DisplayPowerGraph:
            tile.tileType = TilePower;
            tile.typeData = PowerTileData{display.displayId};
            return;
        case DisplayText: {
            TextTileData data;
            data.text = text;
            data.autoFit = 1;
            data.font.height = -35;
            data.font.weight = 400;
            data.font.pitchAndFamily = 32;
            data.font.faceName = kTextDisplayFontFace;
            tile.tileType = TileText;
            tile.typeData = std::move(data);
            return;
        }
        default:
            tile.tileType = TileBlank;
            tile.typeData = PlainTileData{};
            return;
    }
}

}  // namespace

TileRecord MakeWholeDisplayTile(const DisplayRecord& display, std::int32_t backgroundColor,
                                std::int32_t textColor, const std::string& text) {
    TileRecord tile;
    SetContent(tile, display, text);
    tile.tileId = 100;
    tile.gridWidth = 1;
    tile.gridHeight = 1;
    tile.tileStyle = 3;  // stretched to the right and bottom edges: the whole view
    tile.backColor = backgroundColor;
    tile.labelColor = textColor;
    return tile;
}

}  // namespace zol
