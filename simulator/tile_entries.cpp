#include "simulator/tile_entries.h"

#include "simulator/field_builder.h"

namespace zol {

namespace {

// The short form marks a text tile whose font is the default so that the
// eight font numbers can be left out.
bool HasDefaultFontNumbers(const SimFontDescription& font) {
    return font.width == 0 && font.escapement == 0 && font.orientation == 0 && font.weight == 400 &&
           font.italic == 0 && font.underline == 0 && font.strikeOut == 0 && font.charSet == 0;
}

void AddAction(FieldBuilder& fields, int action, int displayId, int programId) {
    fields.Add(action);
    if (action == 1) {
        fields.Add(displayId);
    } else if (action == 2) {
        fields.Add(programId);
    } else if (action == 3) {
        fields.Add(displayId).Add(programId);
    }
}

void AddActions(FieldBuilder& fields, const SimTile& tile) {
    AddAction(fields, tile.tapAction, tile.tapDisplayId, tile.tapProgramId);
    AddAction(fields, tile.holdAction, tile.holdDisplayId, tile.holdProgramId);
}

void AddGrid(FieldBuilder& fields, const SimTile& tile) {
    fields.Add(tile.gridX).Add(tile.gridY).Add(tile.gridWidth).Add(tile.gridHeight);
}

void AddFullTypeData(FieldBuilder& fields, const SimTile& tile) {
    switch (tile.tileType) {
        case kTileHtml:
            fields.Add(tile.useOwnUrl).Add(tile.htmlDisplayId).Add(tile.ownUrl);
            break;
        case kTileIcons:
            fields.Add(tile.customSpacing).Add(tile.spacingX).Add(tile.spacingY).Add(tile.mruMode);
            for (int number : tile.mruNumbers) {
                fields.Add(number);
            }
            fields.Add(tile.sourceDisplayId);
            break;
        case kTileImage:
            fields.Add(tile.imageName).Add(tile.fitToTile).Add(tile.fetchOnce);
            break;
        case kTilePower:
            fields.Add(tile.powerDisplayId);
            break;
        case kTileText: {
            const SimFontDescription& font = tile.font;
            fields.Add(tile.text)
                .Add(tile.autoFit)
                .Add(font.height)
                .Add(font.width)
                .Add(font.escapement)
                .Add(font.orientation)
                .Add(font.weight)
                .Add(font.italic)
                .Add(font.underline)
                .Add(font.strikeOut)
                .Add(font.charSet)
                .Add(font.pitchAndFamily)
                .Add(font.faceName)
                .Add(tile.alignment);
            break;
        }
        case kTileMeter:
            fields.Add(tile.maxWatts).Add(tile.fixedMax);
            break;
        default:
            break;
    }
}

void AddShortTypeData(FieldBuilder& fields, const SimTile& tile) {
    switch (tile.tileType) {
        case kTileIcons:
            fields.Add(tile.customSpacing);
            if (tile.customSpacing != 0) {
                fields.Add(tile.spacingX).Add(tile.spacingY);
            }
            fields.Add(tile.mruMode);
            if (tile.mruMode != 0) {
                for (int number : tile.mruNumbers) {
                    fields.Add(number);
                }
            }
            fields.Add(tile.sourceDisplayId);
            break;
        case kTileText: {
            const SimFontDescription& font = tile.font;
            const bool defaultFont = HasDefaultFontNumbers(font);
            fields.Add(defaultFont ? 1 : 0).Add(tile.text).Add(tile.autoFit).Add(font.height);
            if (!defaultFont) {
                fields.Add(font.width)
                    .Add(font.escapement)
                    .Add(font.orientation)
                    .Add(font.weight)
                    .Add(font.italic)
                    .Add(font.underline)
                    .Add(font.strikeOut)
                    .Add(font.charSet);
            }
            fields.Add(font.pitchAndFamily).Add(font.faceName).Add(tile.alignment);
            break;
        }
        default:
            // HTML, image, power and meter data are the same in both forms.
            AddFullTypeData(fields, tile);
            break;
    }
}

void AddShortTrailer(FieldBuilder& fields, const SimTile& tile) {
    fields.Add(tile.cornerMode);
    if (tile.refreshInterval > 0) {
        fields.Add(tile.refreshProgramId).Add(tile.refreshInSeconds).Add(tile.refreshMode);
    }
}

}  // namespace

TileGeneration TileGenerationFor(int major, int /*minor*/, int build) {
    if (major > 18 || (major == 18 && build >= 11)) {
        return TileGeneration::kExtended;
    }
    if (major == 18 && build >= 7) {
        return TileGeneration::kBaseInfo;
    }
    return TileGeneration::kOriginal;
}

std::string EncodeTileExtended(const SimTile& tile) {
    FieldBuilder fields;
    fields.Add(tile.tileType).Add(tile.tileId).Add(tile.tileName);
    AddGrid(fields, tile);
    fields.Add(tile.tileStyle).Add(tile.cornerMode).Add(tile.refreshInterval);
    if (tile.refreshInterval >= 1) {
        fields.Add(tile.refreshProgramId).Add(tile.refreshInSeconds).Add(tile.refreshMode);
    }
    AddActions(fields, tile);
    fields.Add(tile.label).Add(tile.backColor).Add(tile.labelColor);
    AddFullTypeData(fields, tile);
    return fields.Message();
}

std::string EncodeTileOriginal(const SimTile& tile) {
    FieldBuilder fields;
    fields.Add(tile.tileType).Add(tile.tileId).Add(tile.tileName).Add(tile.label);
    AddGrid(fields, tile);
    fields.Add(tile.tileStyle).Add(tile.backColor).Add(tile.labelColor);
    if (tile.tapAction == 0 && tile.holdAction == 0) {
        fields.Add(9).Add(tile.refreshInterval);
    } else {
        fields.Add(0);
        AddActions(fields, tile);
        fields.Add(tile.refreshInterval);
    }
    AddShortTypeData(fields, tile);
    AddShortTrailer(fields, tile);
    return fields.Message();
}

std::string EncodeTileBase(const SimTile& tile) {
    FieldBuilder fields;
    fields.Add(tile.tileType).Add(tile.tileId);
    AddGrid(fields, tile);
    fields.Add(tile.tileStyle).Add(tile.refreshInterval);
    AddShortTypeData(fields, tile);
    AddShortTrailer(fields, tile);
    return fields.Message();
}

std::string EncodeTileInfo(const SimTile& tile) {
    FieldBuilder fields;
    fields.Add(tile.tileId)
        .Add(tile.tileName)
        .Add(tile.label)
        .Add(tile.backColor)
        .Add(tile.labelColor);
    AddActions(fields, tile);
    return fields.Message();
}

}  // namespace zol
