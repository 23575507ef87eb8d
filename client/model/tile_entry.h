// Tiles from the tile fields of the three generations of tile requests:
// "GetDisplayTilesEx" (full form), "GetDisplayTiles" and "GetDisplayTilesBase"
// with "GetDisplayTilesInfo" (short form). Missing fields read as 0 or empty.
#pragma once

#include <list>

#include "client/model/reply_fields.h"
#include "client/model/tile_record.h"

namespace zol {

TileRecord DecodeTileEx(const ReplyFields& fields);
TileRecord DecodeTileOriginal(const ReplyFields& fields);
TileRecord DecodeTileBase(const ReplyFields& fields);
// Completes the first tile of `tiles` whose tileId is the entry's first
// field with its name, label, colours and actions; an entry matching no
// tile is ignored.
void ApplyTileInfo(const ReplyFields& fields, std::list<TileRecord>& tiles);

}  // namespace zol
