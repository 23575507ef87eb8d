#include "client/model/display_loader.h"

#include <set>
#include <span>
#include <system_error>

#include "client/model/alert_kind.h"
#include "client/model/display_entry.h"
#include "client/model/load_limits.h"
#include "client/model/load_request.h"
#include "client/model/request_channel.h"
#include "client/model/server_file.h"
#include "client/model/start_requests.h"
#include "client/model/tile_entry.h"
#include "client/model/tile_generation.h"
#include "client/model/user_reporter.h"
#include "client/model/whole_display_tile.h"
#include "platform/ascii_text.h"

namespace zol {

namespace {

const IconSet* DefaultLayoutTheme(const DisplayLoadContext& context) {
    return context.iconSets ? context.iconSets(kDefaultLayoutTheme) : nullptr;
}

// Appends the displays of one "GetDisplays" part.
int DecodeDisplayPart(LoadRequest& request, const DisplayLoadContext& context, DisplayList& list) {
    ReplyFields reply;
    if (int code = request.Decode(reply))
        return code;
    ReplyFields entries;
    if (int code = reply.DecodeNested(4, entries))
        return request.DecodeFailed(code);
    for (std::int64_t i = 1; i <= entries.Count(); ++i) {
        if (list.size() >= static_cast<std::size_t>(kMaxDisplays))
            return request.LimitReached(kMaxDisplays, "displays");
        ReplyFields fields;
        if (int code = entries.DecodeNested(i, fields))
            return request.DecodeFailed(code);
        auto display = std::make_unique<DisplayRecord>();
        display->layoutTheme = DefaultLayoutTheme(context);
        if (int code = DecodeDisplayEntry(fields, context.iconSets, *display))
            return request.DecodeFailed(code);
        list.push_back(std::move(display));
    }
    return 0;
}

int LoadDisplayParts(RequestChannel& channel, const DisplayLoadContext& context, DisplayList& list,
                     std::string& failureText) {
    LoadRequest request(channel, "ZOLApp.GetDisplays", failureText);
    for (int part = 0;; ++part) {
        if (part == kMaxDisplayParts)
            return request.LimitReached(kMaxDisplayParts, "parts");
        if (int error = request.Send(DisplayPartRequest(part)))
            return error;
        if (request.ResultCode() != 0)
            return 0;  // all displays have arrived
        if (int code = DecodeDisplayPart(request, context, list))
            return code;
    }
}

// A background the server cannot provide is not shown.
void FetchBackgrounds(RequestChannel& channel, UserReporter& reporter,
                      const DisplayLoadContext& context, DisplayList& list) {
    for (const auto& display : list) {
        if (display->backgroundMode != 1)
            continue;
        const std::filesystem::path localPath =
            LocateServerFile(display->backgroundImage, context.tempDir);
        int present = 0;
        if (FetchServerFile(channel, reporter, display->backgroundImage, localPath, present) == 0 &&
            present == 1) {
            std::error_code ec;
            const std::filesystem::path full = std::filesystem::absolute(localPath, ec);
            display->backgroundImage = (ec ? localPath : full).string();
        } else {
            display->backgroundMode = 0;
        }
    }
}

// The id the constructed home page takes: 100, or the next one no server
// display uses.
std::int32_t FreeHomeId(const DisplayList& list) {
    std::set<std::int32_t> used;
    for (const auto& display : list)
        used.insert(display->displayId);
    std::int32_t id = kConstructedHomeId;
    while (used.count(id) != 0)
        ++id;  // at most kMaxDisplays steps: cannot reach the 32-bit limit
    return id;
}

std::unique_ptr<DisplayRecord> ConstructHome(const DisplayLoadContext& context,
                                             const DisplayList& list) {
    auto home = std::make_unique<DisplayRecord>();
    home->layoutTheme = DefaultLayoutTheme(context);
    home->isHome = 1;
    home->name = "Home";
    home->caption = "Home";
    home->displayId = FreeHomeId(list);
    home->hiddenFromHome = 1;
    home->showLocations = 1;
    home->displayKind = DisplayIcons;
    std::vector<std::int32_t> ids;
    for (const auto& display : list) {
        if (display->hiddenFromHome == 0)
            ids.push_back(display->displayId);
    }
    home->SetObjectIds(std::move(ids));
    return home;
}

// Marks the display the settings name as home, or adds a constructed one.
void SetUpHome(UserReporter& reporter, const DisplayLoadContext& context, DisplayList& list) {
    if (context.homePageEnable) {
        for (const auto& display : list) {
            if (EqualsNoCase(display->name, context.homePageName)) {
                display->isHome = 1;
                return;
            }
        }
        reporter.ShowAlert(AlertProblem, "No display named \"" + context.homePageName +
                                             "\".  Using a constructed home page instead");
    }
    list.push_back(ConstructHome(context, list));
}

int RequestDisplayText(RequestChannel& channel, const std::string& displayName, std::string& text,
                       std::string& failureText) {
    LoadRequest request(channel, "ZOLApp.GetDisplayText", failureText);
    if (int error = request.Send(FieldList{"ZOLApp", "GetDisplayText", displayName}.Message()))
        return error;
    // The result code is not looked at: a refusal shows what field 4 holds.
    ReplyFields reply;
    if (int code = request.Decode(reply))
        return code;
    text = reply.Text(4);
    return 0;
}

int GiveWholeDisplayTile(RequestChannel& channel, const DisplayLoadContext& context,
                         DisplayRecord& display, std::string& failureText) {
    std::string text;
    if (display.displayKind == DisplayText) {
        if (int code = RequestDisplayText(channel, display.name, text, failureText))
            return code;
    }
    display.tiles.push_back(
        MakeWholeDisplayTile(display, context.backgroundColor, context.textColor, text));
    display.singleTile = 1;
    return 0;
}

enum class Insert { AtTail, AtHead };

// Adds the tiles of fields 4 onward of a decoded reply.
int AddTiles(LoadRequest& request, const ReplyFields& reply,
             TileRecord (*decode)(const ReplyFields&), Insert insert, DisplayRecord& display) {
    for (std::int64_t i = 4; i <= reply.Count(); ++i) {
        if (display.tiles.size() >= static_cast<std::size_t>(kMaxTilesPerDisplay))
            return request.LimitReached(kMaxTilesPerDisplay, "tiles");
        ReplyFields fields;
        if (int code = reply.DecodeNested(i, fields))
            return request.DecodeFailed(code);
        if (insert == Insert::AtTail)
            display.tiles.push_back(decode(fields));
        else
            display.tiles.push_front(decode(fields));
    }
    return 0;
}

int LoadTilesEx(RequestChannel& channel, DisplayRecord& display, std::string& failureText) {
    LoadRequest request(channel, "ZOLApp.GetDisplayTilesEx", failureText);
    for (int part = 0;; ++part) {
        if (part == kMaxTileParts)
            return request.LimitReached(kMaxTileParts, "parts");
        if (int error = request.Send(
                FieldList{"ZOLApp", "GetDisplayTilesEx", display.name, std::to_string(part)}
                    .Message()))
            return error;
        if (request.ResultCode() != 0)
            return 0;  // all tiles have arrived
        ReplyFields reply;
        if (int code = request.Decode(reply))
            return code;
        if (int code = AddTiles(request, reply, DecodeTileEx, Insert::AtTail, display))
            return code;
    }
}

// Displays whose first tiles are asked for in one round: the server works
// on the next request while the client decodes the last.
constexpr std::size_t kTileLoadsTogether = 32;

// The tiles of several displays, each as LoadTilesEx loads it, asked for in
// rounds: the next part of every display still loading, then the first part
// of up to kTileLoadsTogether displays not asked for yet, so that a round
// that finds out which displays are complete also keeps the server busy
// with the next ones. The first display, in order, that fails ends the load
// with its failure, as one by one would: those before it still finish,
// those after it are not waited for.
int LoadTilesExTogether(RequestChannel& channel, std::span<DisplayRecord* const> displays,
                        std::string& failureText) {
    constexpr std::string_view kName = "ZOLApp.GetDisplayTilesEx";
    struct Loading {
        DisplayRecord* display = nullptr;
        int part = 0;
        bool done = false;
        int code = 0;
        std::string failure;
    };
    std::vector<Loading> loads(displays.size());
    for (std::size_t i = 0; i < displays.size(); ++i)
        loads[i].display = displays[i];
    std::size_t failedAt = loads.size();
    auto fail = [&](std::size_t at, int code) {
        loads[at].code = code;
        loads[at].done = true;
        failedAt = at;
    };
    std::size_t started = 0;  // displays asked for so far, in order
    for (;;) {
        std::vector<BatchedRequest> batch;
        std::vector<std::size_t> asked;
        const auto ask = [&](std::size_t i) {
            BatchedRequest& entry = batch.emplace_back();
            entry.message = FieldList{"ZOLApp", "GetDisplayTilesEx", loads[i].display->name,
                                      std::to_string(loads[i].part)}
                                .Message();
            asked.push_back(i);
        };
        for (std::size_t i = 0; i < std::min(started, failedAt); ++i) {
            Loading& load = loads[i];
            if (load.done)
                continue;
            if (load.part == kMaxTileParts) {
                LoadRequest request(channel, kName, load.failure);
                fail(i, request.LimitReached(kMaxTileParts, "parts"));
                break;
            }
            ask(i);
        }
        for (std::size_t fresh = 0; fresh < kTileLoadsTogether && started < failedAt; ++fresh)
            ask(started++);
        if (batch.empty())
            break;
        // Each reply is decoded while the later ones are still coming.
        channel.SendRequests(batch, [&](std::size_t k) {
            if (asked[k] >= failedAt)
                return false;
            Loading& load = loads[asked[k]];
            LoadRequest request(channel, kName, load.failure);
            int code = request.Take(batch[k]);
            if (code == 0 && request.ResultCode() != 0) {
                load.done = true;  // all tiles have arrived
                return true;
            }
            ReplyFields reply;
            if (code == 0)
                code = request.Decode(reply);
            if (code == 0)
                code = AddTiles(request, reply, DecodeTileEx, Insert::AtTail, *load.display);
            if (code != 0) {
                fail(asked[k], code);
                return false;
            }
            ++load.part;
            return true;
        });
    }
    if (failedAt == loads.size())
        return 0;
    failureText = loads[failedAt].failure;
    return loads[failedAt].code;
}

// One request of the older generations; its result code is not looked at
// (a refusal that carries no tiles gives none).
int RequestAllTiles(LoadRequest& request, std::string_view method, const DisplayRecord& display,
                    ReplyFields& reply) {
    if (int error = request.Send(FieldList{"ZOLApp", method, display.name}.Message()))
        return error;
    return request.Decode(reply);
}

int LoadTilesBaseInfo(RequestChannel& channel, DisplayRecord& display, std::string& failureText) {
    {
        LoadRequest request(channel, "ZOLApp.GetDisplayTilesBase", failureText);
        ReplyFields reply;
        if (int code = RequestAllTiles(request, "GetDisplayTilesBase", display, reply))
            return code;
        if (int code = AddTiles(request, reply, DecodeTileBase, Insert::AtHead, display))
            return code;
    }
    LoadRequest request(channel, "ZOLApp.GetDisplayTilesInfo", failureText);
    ReplyFields reply;
    if (int code = RequestAllTiles(request, "GetDisplayTilesInfo", display, reply))
        return code;
    for (std::int64_t i = 4; i <= reply.Count(); ++i) {
        ReplyFields fields;
        if (int code = reply.DecodeNested(i, fields))
            return request.DecodeFailed(code);
        ApplyTileInfo(fields, display.tiles);
    }
    return 0;
}

int LoadTilesOriginal(RequestChannel& channel, DisplayRecord& display, std::string& failureText) {
    LoadRequest request(channel, "ZOLApp.GetDisplayTiles", failureText);
    ReplyFields reply;
    if (int code = RequestAllTiles(request, "GetDisplayTiles", display, reply))
        return code;
    return AddTiles(request, reply, DecodeTileOriginal, Insert::AtHead, display);
}

}  // namespace

int LoadDisplays(RequestChannel& channel, UserReporter& reporter, const DisplayLoadContext& context,
                 DisplayList& list, std::string& failureText) {
    if (int code = LoadDisplayParts(channel, context, list, failureText))
        return code;
    FetchBackgrounds(channel, reporter, context, list);
    SetUpHome(reporter, context, list);
    const bool together = TileGenerationFor(context.server) == TileGeneration::Extended;
    for (std::size_t i = 0; i < list.size();) {
        if (together && list[i]->displayKind == DisplayTiled) {
            std::vector<DisplayRecord*> run;
            for (; i < list.size() && list[i]->displayKind == DisplayTiled; ++i)
                run.push_back(list[i].get());
            if (int code = LoadTilesExTogether(channel, run, failureText))
                return code;
            continue;
        }
        DisplayRecord& display = *list[i++];
        const int code = display.displayKind == DisplayTiled
                             ? LoadDisplayTiles(channel, context.server, display, failureText)
                             : GiveWholeDisplayTile(channel, context, display, failureText);
        if (code != 0)
            return code;
    }
    return 0;
}

int LoadDisplayTiles(RequestChannel& channel, const GreetingValues& server, DisplayRecord& display,
                     std::string& failureText) {
    switch (TileGenerationFor(server)) {
        case TileGeneration::Extended:
            return LoadTilesEx(channel, display, failureText);
        case TileGeneration::BaseInfo:
            return LoadTilesBaseInfo(channel, display, failureText);
        case TileGeneration::Original:
            return LoadTilesOriginal(channel, display, failureText);
    }
    return 0;
}

}  // namespace zol
