// The icon sync: copies the icon files of each icon set that are missing on
// this client or differ from the server's ("GetThemeIcons" lists them with
// size and byte sum, "GetThemeIcon" sends one), then reloads a set that got
// new files in place.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "client/model/icon_set.h"
#include "client/model/icon_set_loader.h"

namespace zol {

class RequestChannel;
class UserReporter;

// List replies taken for one set at most (the server sends about 20 files a
// reply), so a server that keeps answering cannot hold the client for ever.
inline constexpr int kMaxIconListReplies = 10'000;

struct IconSyncContext {
    RequestChannel& channel;
    UserReporter& reporter;
    IconSetOptions options;  // for reloading a set that got new files
};

// One row of the results: the set, the files the server listed, the files copied.
struct IconSyncResult {
    std::string name;
    int listed = 0;
    int copied = 0;
};

// True for a name that can only name a file in the set's folder: not
// empty, no slash or backslash, no colon, not "." or "..".
bool IsBareFileName(std::string_view fileName);

// Copies one icon file into the set's folder: 0, or the failure's code
// (already shown, except for a refused name, which is EINVAL and shown by
// the caller). An interrupted copy keeps the file there was.
int FetchThemeIcon(IconSyncContext& sync, const IconSet& set, std::string_view fileName);

// The icon sync of one set; the set is reloaded in place when a file was copied.
IconSyncResult SyncIconSet(IconSyncContext& sync, IconSet& set);

// The settings window's icon sync command: asks first, refuses when not
// connected, then syncs every set in list order. The rows for the results
// window, or nothing when it did not run.
std::optional<std::vector<IconSyncResult>> SyncAllIconSets(IconSyncContext& sync, IconSetList& sets,
                                                           bool connected);

}  // namespace zol
