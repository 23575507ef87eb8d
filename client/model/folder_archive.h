// Unpacking the zip archive of an HTML display's folder of files, which
// comes from the server and is trusted for nothing.
//
// Every entry name is checked before anything is written: no absolute names,
// drive letters, parent steps (with either slash), links or special files.
// The entry count and the unpacked size are capped while unpacking, whatever
// the archive claims. The files are unpacked into a fresh folder beside the
// target and moved into place only when all of them arrived, so a failure
// leaves the target as it was. Entries that exist in the target are replaced
// whole (a folder entry by the archive's folder).
//
// No Qt: the fuzz build runs it as it is.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zol {

struct ArchiveLimits {
    std::int64_t maxEntries = 10'000;
    std::int64_t maxTotalBytes = std::int64_t{256} << 20;  // unpacked
};

enum ArchiveError : int {
    ArchiveOk = 0,
    ArchiveCannotOpen = 1,
    ArchiveUnsafeEntry = 2,
    ArchiveTooLarge = 3,
    ArchiveDamaged = 4,  // the unzip layer's errors
    ArchiveWriteFailed = 5,
};

struct ArchiveResult {
    int code = ArchiveOk;
    std::string text;  // why it failed; empty on success
};

// The entry's path below the target folder ('/' between components, "." and
// empty components left out), or an empty text with the reason in `refusal`
// for a name that could point anywhere else. `isFolder` tells a folder entry
// (a name ending in '/' or '\').
std::string SafeEntryPath(std::string_view storedName, bool& isFolder, std::string& refusal);

// Unpacks `archive` into `folder` (which must exist).
ArchiveResult ExtractFolderArchive(const std::filesystem::path& archive,
                                   const std::filesystem::path& folder,
                                   const ArchiveLimits& limits = {});

}  // namespace zol
