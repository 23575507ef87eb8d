// Where the client finds and puts local files named by the server or the
// settings (sounds, pictures, downloads).
//
// Names may use backslashes (the server's names do); they are taken as
// folder separators. An absolute name ("/x", or "\\\\server\\share\\x", which
// becomes "//server/share/x") stands for the drive-letter and UNC names of
// the original client and is used as it is. Relative names resolve under the
// working folder (TempDirPath). A relative name that climbs out of the
// working folder with ".." is reduced to its last component, so a server
// cannot make the client read or write files elsewhere by such a name.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zol {

// The name with backslashes turned into '/'.
std::string NormaliseDataFileName(std::string_view name);

// The existing file the name stands for: the absolute name itself, else
// workDir/name, else workDir/last component of the name. Empty when none
// exists.
std::filesystem::path ResolveDataFile(std::string_view name, const std::filesystem::path& workDir);

// A path for a file about to be written: the existing file when there is
// one; else workDir/name, created (empty) with its folders as needed; else
// an absolute name itself, created with its folders; else workDir/last
// component.
std::filesystem::path PrepareDataFile(std::string_view name, const std::filesystem::path& workDir);

}  // namespace zol
