// The load sequence's bulk requests: design objects and displays by parts,
// and the tiles of tiled displays in the generation the server's version
// calls for.
#include <functional>

#include "serverlink/field_list.h"
#include "simulator/design_entries.h"
#include "simulator/part_splitter.h"
#include "simulator/request_router.h"
#include "simulator/tile_entries.h"

namespace zol {

namespace {

constexpr std::size_t kPartLimit = kMaxFieldListLength - kPartGrowthRoom;

using EntryEncoder = std::function<std::string(std::size_t)>;

// Serves part `part` of `count` entries. The parts are cut once per session
// when part 0 is asked for (the only time every entry is encoded); later
// parts encode just their own entries. `nested`: the entries travel inside
// field 4 as one nested list; otherwise each is a field of its own.
HandlerResult ServePart(RequestContext& context, const std::string& key, std::size_t count,
                        const EntryEncoder& encode, int part, bool nested) {
    PartRanges& ranges = context.session.partitions[key];
    if (part == 0 || ranges.empty()) {
        std::vector<std::string> entries;
        entries.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            entries.push_back(encode(i));
        }
        const std::size_t nestedCost = nested ? 4 + 4 : 0;
        ranges = SplitIntoParts(
            entries, ReplyHeadCost(context.Text(1), context.Text(2), nestedCost), kPartLimit);
    }
    if (part < 0 || static_cast<std::size_t>(part) >= ranges.size()) {
        return HandlerResult::Code(kResultNoMoreData);
    }
    const auto [begin, end] = ranges[static_cast<std::size_t>(part)];
    HandlerResult result;
    FieldBuilder list;
    FieldBuilder& target = nested ? list : result.results;
    // Objects or tiles removed since part 0 shorten the last parts.
    for (std::size_t i = begin; i < end && i < count; ++i) {
        target.Add(encode(i));
    }
    if (nested) {
        result.results.Add(list.Message());
    }
    return result;
}

bool ServesGeneration(const RequestContext& context, TileGeneration generation) {
    const SimConfig& config = context.Config();
    return TileGenerationFor(config.versionMajor, config.versionMinor, config.versionBuild) ==
           generation;
}

// The replies of the older generations carry all tiles at once; tiles that
// would not fit are left out (the design loader warns about such displays).
HandlerResult ServeAllTiles(RequestContext& context, std::string (*encode)(const SimTile&)) {
    const SimDisplay* display = context.Design().FindDisplayByName(context.Text(3));
    if (display == nullptr) {
        return HandlerResult::Code(kResultLookupError);
    }
    HandlerResult result;
    std::size_t used = ReplyHeadCost(context.Text(1), context.Text(2), 0);
    for (const SimTile& tile : display->tiles) {
        std::string entry = encode(tile);
        if (used + 4 + entry.size() > kMaxFieldListLength) {
            break;
        }
        used += 4 + entry.size();
        result.results.Add(entry);
    }
    return result;
}

HandlerResult GetDesign(RequestContext& context) {
    const int major = context.Config().versionMajor;
    const std::vector<SimObject>& objects = context.Design().objects;
    return ServePart(
        context, "GetDesign", objects.size(),
        [&objects, major](std::size_t i) { return EncodeObjectEntry(objects[i], major); },
        context.Number(3), true);
}

HandlerResult GetDisplays(RequestContext& context) {
    const std::vector<SimDisplay>& displays = context.Design().displays;
    return ServePart(
        context, "GetDisplays", displays.size(),
        [&displays](std::size_t i) { return EncodeDisplayEntry(displays[i]); }, context.Number(3),
        true);
}

HandlerResult GetDisplayTilesEx(RequestContext& context) {
    if (!ServesGeneration(context, TileGeneration::kExtended)) {
        return HandlerResult::Code(kResultUnknownRequest);
    }
    const SimDisplay* display = context.Design().FindDisplayByName(context.Text(3));
    if (display == nullptr) {
        return HandlerResult::Code(kResultLookupError);
    }
    const std::vector<SimTile>& tiles = display->tiles;
    return ServePart(
        context, "GetDisplayTilesEx/" + display->name, tiles.size(),
        [&tiles](std::size_t i) { return EncodeTileExtended(tiles[i]); }, context.Number(4), false);
}

HandlerResult GetDisplayTiles(RequestContext& context) {
    if (!ServesGeneration(context, TileGeneration::kOriginal)) {
        return HandlerResult::Code(kResultUnknownRequest);
    }
    return ServeAllTiles(context, EncodeTileOriginal);
}

HandlerResult GetDisplayTilesBase(RequestContext& context) {
    if (!ServesGeneration(context, TileGeneration::kBaseInfo)) {
        return HandlerResult::Code(kResultUnknownRequest);
    }
    return ServeAllTiles(context, EncodeTileBase);
}

HandlerResult GetDisplayTilesInfo(RequestContext& context) {
    if (!ServesGeneration(context, TileGeneration::kBaseInfo)) {
        return HandlerResult::Code(kResultUnknownRequest);
    }
    return ServeAllTiles(context, EncodeTileInfo);
}

}  // namespace

void RegisterDesignRequests(RequestRouter& router) {
    router.Register("GetDesign", GetDesign);
    router.Register("GetDisplays", GetDisplays);
    router.Register("GetDisplayTilesEx", GetDisplayTilesEx);
    router.Register("GetDisplayTiles", GetDisplayTiles);
    router.Register("GetDisplayTilesBase", GetDisplayTilesBase);
    router.Register("GetDisplayTilesInfo", GetDisplayTilesInfo);
}

}  // namespace zol
