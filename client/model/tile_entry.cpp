#include "client/model/tile_entry.h"

#include <algorithm>

namespace zol {

namespace {

// Reads the fields of one tile in order.
class FieldCursor {
  public:
    FieldCursor(const ReplyFields& fields, std::int64_t first) : fields_(fields), next_(first) {}
    std::int32_t Number() { return fields_.Number(next_++); }
    std::string_view Text() { return fields_.Text(next_++); }
    // Italic, underline and the other byte-sized font fields: the low byte.
    std::uint8_t Byte() { return static_cast<std::uint8_t>(Number() & 0xFF); }

  private:
    const ReplyFields& fields_;
    std::int64_t next_;
};

// An action number, then the ids it needs: 1 a display, 2 a program, 3 both.
void ReadAction(FieldCursor& in, std::int32_t& action, std::int32_t& displayId,
                std::int32_t& programId) {
    action = in.Number();
    if (action == 1 || action == 3)
        displayId = in.Number();
    if (action == 2 || action == 3)
        programId = in.Number();
}

void ReadActions(FieldCursor& in, TileRecord& tile) {
    ReadAction(in, tile.tapAction, tile.tapDisplayId, tile.tapProgramId);
    ReadAction(in, tile.holdAction, tile.holdDisplayId, tile.holdProgramId);
}

void ReadGrid(FieldCursor& in, TileRecord& tile) {
    tile.gridX = in.Number();
    tile.gridY = in.Number();
    tile.gridWidth = in.Number();
    tile.gridHeight = in.Number();
}

std::string FaceName(std::string_view text) {
    return std::string(text.substr(0, std::min(text.size(), kMaxFaceNameLength)));
}

TileRecord StartTile(FieldCursor& in) {
    TileRecord tile;
    tile.tileType = in.Number();
    tile.tileId = in.Number();
    tile.typeData = DefaultTileData(tile.tileType);
    return tile;
}

// The type data of both forms, for the types whose data is the same in both.
void ReadCommonData(FieldCursor& in, TileRecord& tile) {
    if (auto* html = tile.DataAs<HtmlTileData>()) {
        html->useOwnUrl = in.Number();
        html->htmlDisplayId = in.Number();
        html->ownUrl = in.Text();
    } else if (auto* image = tile.DataAs<ImageTileData>()) {
        image->imageName = in.Text();
        image->fitToTile = in.Number();
        image->fetchOnce = in.Number();
    } else if (auto* power = tile.DataAs<PowerTileData>()) {
        power->displayId = in.Number();
    } else if (auto* meter = tile.DataAs<MeterTileData>()) {
        meter->maxWatts = in.Number();
        meter->fixedMax = in.Number();
    }
}

// The eight font numbers between a tile text font's height and its pitch.
void ReadFontBody(FieldCursor& in, LogFont& font) {
    font.width = in.Number();
    font.escapement = in.Number();
    font.orientation = in.Number();
    font.weight = in.Number();
    font.italic = in.Byte();
    font.underline = in.Byte();
    font.strikeOut = in.Byte();
    font.charSet = in.Byte();
}

void ReadFullData(FieldCursor& in, TileRecord& tile) {
    if (auto* icons = tile.DataAs<IconsTileData>()) {
        icons->customSpacing = in.Number();
        icons->spacingX = in.Number();
        icons->spacingY = in.Number();
        icons->mruMode = in.Number();
        for (std::int32_t& number : icons->mruNumbers)
            number = in.Number();
        icons->sourceDisplayId = in.Number();
    } else if (auto* text = tile.DataAs<TextTileData>()) {
        text->text = in.Text();
        text->autoFit = in.Number();
        LogFont& font = text->font;
        font.height = in.Number();
        ReadFontBody(in, font);
        font.pitchAndFamily = in.Byte();
        font.faceName = FaceName(in.Text());
        text->alignment = in.Number();
    } else {
        ReadCommonData(in, tile);
    }
}

void ReadShortData(FieldCursor& in, TileRecord& tile) {
    if (auto* icons = tile.DataAs<IconsTileData>()) {
        icons->customSpacing = in.Number();
        if (icons->customSpacing != 0) {
            icons->spacingX = in.Number();
            icons->spacingY = in.Number();
        }
        icons->mruMode = in.Number();
        if (icons->mruMode != 0) {
            for (std::int32_t& number : icons->mruNumbers)
                number = in.Number();
        }
        icons->sourceDisplayId = in.Number();
    } else if (auto* text = tile.DataAs<TextTileData>()) {
        // A non-zero flag leaves out the eight numbers of a default font.
        const bool defaultFont = in.Number() != 0;
        text->text = in.Text();
        text->autoFit = in.Number();
        LogFont& font = text->font;
        font.height = in.Number();
        if (defaultFont) {
            font.weight = 400;
        } else {
            ReadFontBody(in, font);
        }
        font.pitchAndFamily = in.Byte();
        font.faceName = FaceName(in.Text());
        text->alignment = in.Number();
    } else {
        ReadCommonData(in, tile);
    }
}

// The corner mode and the refresh program after the short-form data.
void ReadShortTrailer(FieldCursor& in, TileRecord& tile) {
    tile.cornerMode = in.Number();
    if (tile.refreshInterval > 0) {
        tile.refreshProgramId = in.Number();
        tile.refreshInSeconds = in.Number();
        tile.refreshMode = in.Number();
    }
}

}  // namespace

TileRecord DecodeTileEx(const ReplyFields& fields) {
    FieldCursor in(fields, 1);
    TileRecord tile = StartTile(in);
    tile.tileName = in.Text();
    ReadGrid(in, tile);
    tile.tileStyle = in.Number();
    tile.cornerMode = in.Number();
    tile.refreshInterval = in.Number();
    if (tile.refreshInterval >= 1) {
        tile.refreshProgramId = in.Number();
        tile.refreshInSeconds = in.Number();
        tile.refreshMode = in.Number();
    }
    ReadActions(in, tile);
    tile.label = in.Text();
    tile.backColor = in.Number();
    tile.labelColor = in.Number();
    ReadFullData(in, tile);
    return tile;
}

TileRecord DecodeTileOriginal(const ReplyFields& fields) {
    FieldCursor in(fields, 1);
    TileRecord tile = StartTile(in);
    tile.tileName = in.Text();
    tile.label = in.Text();
    ReadGrid(in, tile);
    tile.tileStyle = in.Number();
    tile.backColor = in.Number();
    tile.labelColor = in.Number();
    // 9 marks a tile without actions; any other value is skipped and the
    // actions follow.
    if (in.Number() != 9)
        ReadActions(in, tile);
    tile.refreshInterval = in.Number();
    ReadShortData(in, tile);
    ReadShortTrailer(in, tile);
    return tile;
}

TileRecord DecodeTileBase(const ReplyFields& fields) {
    FieldCursor in(fields, 1);
    TileRecord tile = StartTile(in);
    ReadGrid(in, tile);
    tile.tileStyle = in.Number();
    tile.refreshInterval = in.Number();
    ReadShortData(in, tile);
    ReadShortTrailer(in, tile);
    return tile;
}

void ApplyTileInfo(const ReplyFields& fields, std::list<TileRecord>& tiles) {
    FieldCursor in(fields, 1);
    const std::int32_t tileId = in.Number();
    auto tile = std::find_if(tiles.begin(), tiles.end(),
                             [tileId](const TileRecord& t) { return t.tileId == tileId; });
    if (tile == tiles.end())
        return;
    tile->tileName = in.Text();
    tile->label = in.Text();
    tile->backColor = in.Number();
    tile->labelColor = in.Number();
    ReadActions(in, *tile);
}

}  // namespace zol
