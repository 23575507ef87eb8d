#include "client/model/tile_generation.h"

namespace zol {

TileGeneration TileGenerationFor(const GreetingValues& server) {
    if (server.serverMajor > 18 || (server.serverMajor == 18 && server.serverBuild >= 11))
        return TileGeneration::Extended;
    if (server.serverMajor == 18 && server.serverBuild >= 7)
        return TileGeneration::BaseInfo;
    return TileGeneration::Original;
}

}  // namespace zol
