// Loading the displays and their tiles at connect: "GetDisplays" part by
// part, the background pictures, the home page (the one the settings name,
// or one the client constructs), and the tiles of each display.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "client/model/design.h"
#include "client/model/icon_set.h"
#include "serverlink/server_link.h"

namespace zol {

class RequestChannel;
class UserReporter;

// The id of the constructed home page, unless a server display has it.
inline constexpr std::int32_t kConstructedHomeId = 100;

// What the loading needs of the connection and the settings.
struct DisplayLoadContext {
    GreetingValues server;             // the version picks the tile requests
    std::int32_t backgroundColor = 0;  // "BackgroundColor", for whole-display tiles
    std::int32_t textColor = 0;        // "TextColor"
    bool homePageEnable = false;       // "HomePageEnable"
    std::string homePageName;          // "HomePageName"
    std::filesystem::path tempDir;     // where server files are kept ("TempDirPath")
    IconSetLookup iconSets;
};

// Appends the server's displays to `list` (new and empty), then the
// constructed home page when there is one. 0, or the first failure's code
// with its text; what was decoded so far stays in `list`.
int LoadDisplays(RequestChannel& channel, UserReporter& reporter, const DisplayLoadContext& context,
                 DisplayList& list, std::string& failureText);

// Loads the tiles of a tiled display with the requests the server's version
// calls for.
int LoadDisplayTiles(RequestChannel& channel, const GreetingValues& server, DisplayRecord& display,
                     std::string& failureText);

}  // namespace zol
