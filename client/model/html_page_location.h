// Where the page of an HTML-folder display and its folder of files live on
// this client. Both the folder sync and the HTML tile find the page here.
//
// Everything stays below the working folder (TempDirPath): the display's
// own page path is used when it is a plain relative path; an absolute one, a
// drive-letter one or one that climbs with ".." keeps only its file name,
// in the display's own folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zol {

struct DisplayRecord;

// Longest folder name made from a display name, so "<name>.html" still
// fits a file name.
inline constexpr std::size_t kMaxHtmlFolderNameLength = 200;

// The display's name as a folder name: < > : / \ | ? * and control
// characters become '_', a name of dots only (".", "..") has each dot
// replaced, an empty name is "_", and the name is cut to
// kMaxHtmlFolderNameLength bytes.
std::string HtmlFolderName(std::string_view displayName);

// The page's path, where the page file is made (empty) when it does not
// exist; an existing page is never truncated. Empty when no path can be
// made.
std::filesystem::path PrepareHtmlPage(const DisplayRecord& display,
                                      const std::filesystem::path& workDir);

}  // namespace zol
