// Wire forms of tiles for the three generations of tile requests:
// "GetDisplayTilesEx" (full form), "GetDisplayTiles" (short form) and the
// pair "GetDisplayTilesBase" / "GetDisplayTilesInfo".
#pragma once

#include <string>

#include "simulator/sim_design.h"

namespace zol {

enum class TileGeneration {
    kOriginal,  // "GetDisplayTiles"
    kBaseInfo,  // "GetDisplayTilesBase" + "GetDisplayTilesInfo"
    kExtended,  // "GetDisplayTilesEx"
};

// The generation a client picks for a server version: the extended form from
// 18.11 on, base + info from 18.7 to 18.10, the original form before. Like
// the client, it compares the build number within major version 18.
TileGeneration TileGenerationFor(int major, int minor, int build);

std::string EncodeTileExtended(const SimTile& tile);
std::string EncodeTileOriginal(const SimTile& tile);
std::string EncodeTileBase(const SimTile& tile);
std::string EncodeTileInfo(const SimTile& tile);

}  // namespace zol
