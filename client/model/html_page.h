// The page an HTML tile shows: the address the server names for a display,
// or the page file it supplies for an HTML-folder display, downloaded by
// chunks ("GetDisplayHTML") into the display's place in the working folder.
//
// Thread-safety: the user-interface thread only (the requests block it).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zol {

class RequestChannel;
class UserReporter;
struct DisplayRecord;

// A page larger than this is not taken.
inline constexpr std::int64_t kMaxHtmlPageBytes = std::int64_t{64} << 20;

// "GetDisplayHTML" with the display's name and "0": the address in reply
// field 4. `address` changes only on success. 0 or the failure's code.
int RequestHtmlAddress(RequestChannel& channel, UserReporter& reporter,
                       std::string_view displayName, bool report, std::string& address);

// Downloads the display's page into its place below `workDir` (its own page
// path when that stays inside, else "<name>/<name>.html" with the name made
// safe) and gives that path in `page`. The page is written to a temporary
// file first, so a failed download keeps the previous page. 0 or the
// failure's code (shown when `report`).
int DownloadHtmlPage(RequestChannel& channel, UserReporter& reporter, const DisplayRecord& display,
                     const std::filesystem::path& workDir, bool report,
                     std::filesystem::path& page);

}  // namespace zol
