// The load sequence's bulk requests: design objects and displays by parts,
// and the tiles of tiled displays in the generation the server's version
// calls for.
#include "serverlink/field_list.h"
#include "simulator/design_entries.h"
#include "simulator/part_splitter.h"
#include "simulator/request_router.h"
#include "simulator/tile_entries.h"

namespace zol {

namespace {

constexpr std::size_t kPartLimit = kMaxFieldListLength - kPartGrowthRoom;

// Serves part `part` of `entries`, cut once per session when part 0 is asked
// for. `nested`: the entries travel inside field 4 as one nested list;
// otherwise each entry is a field of its own from field 4 on.
HandlerResult ServePart(RequestContext& context, const std::string& key,
                        const std::vector<std::string>& entries, int part, bool nested) {
    PartRanges& ranges = context.session.partitions[key];
    if (part == 0 || ranges.empty()) {
        const std::size_t nestedCost = nested ? 4 + 4 : 0;
        ranges = SplitIntoParts(
            entries, ReplyHeadCost(context.Text(1), context.Text(2), nestedCost), kPartLimit);
    }
    if (part < 0 || static_cast<std::size_t>(part) >= ranges.size()) {
        return HandlerResult::Code(kResultNoMoreData);
    }
    const auto [begin, end] = ranges[static_cast<std::size_t>(part)];
    HandlerResult result;
    if (nested) {
        FieldBuilder list;
        for (std::size_t i = begin; i < end && i < entries.size(); ++i) {
            list.Add(entries[i]);
        }
        result.results.Add(list.Message());
    } else {
        for (std::size_t i = begin; i < end && i < entries.size(); ++i) {
            result.results.Add(entries[i]);
        }
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
    std::vector<std::string> entries;
    entries.reserve(context.Design().objects.size());
    for (const SimObject& object : context.Design().objects) {
        entries.push_back(EncodeObjectEntry(object, major));
    }
    return ServePart(context, "GetDesign", entries, context.Number(3), true);
}

HandlerResult GetDisplays(RequestContext& context) {
    std::vector<std::string> entries;
    entries.reserve(context.Design().displays.size());
    for (const SimDisplay& display : context.Design().displays) {
        entries.push_back(EncodeDisplayEntry(display));
    }
    return ServePart(context, "GetDisplays", entries, context.Number(3), true);
}

HandlerResult GetDisplayTilesEx(RequestContext& context) {
    if (!ServesGeneration(context, TileGeneration::kExtended)) {
        return HandlerResult::Code(kResultUnknownRequest);
    }
    const SimDisplay* display = context.Design().FindDisplayByName(context.Text(3));
    if (display == nullptr) {
        return HandlerResult::Code(kResultLookupError);
    }
    std::vector<std::string> entries;
    entries.reserve(display->tiles.size());
    for (const SimTile& tile : display->tiles) {
        entries.push_back(EncodeTileExtended(tile));
    }
    return ServePart(context, "GetDisplayTilesEx/" + display->name, entries, context.Number(4),
                     false);
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
