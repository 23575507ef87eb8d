// Which tile requests a server answers, by the version in its greeting.
// Servers number their releases by major version and build; the minor
// number does not take part (18.0.11 is the release that brought
// "GetDisplayTilesEx", 18.11.0 is not).
#pragma once

#include "serverlink/server_link.h"

namespace zol {

enum class TileGeneration {
    Original,  // "GetDisplayTiles"
    BaseInfo,  // "GetDisplayTilesBase" then "GetDisplayTilesInfo": 18 builds 7 to 10
    Extended,  // "GetDisplayTilesEx" by parts: 18 build 11 and later majors
};

TileGeneration TileGenerationFor(const GreetingValues& server);

}  // namespace zol
