// Where the client finds and puts local files named by the server or the
// settings (sounds, pictures, pages, downloads).
//
// Every such file lies in the working folder (TempDirPath): the server, or
// anyone on its unencrypted link, chooses these names, so none may reach a
// file elsewhere. Names may use backslashes (the server's names do); they
// are taken as folder separators. A relative name stays as it is below the
// working folder; an absolute name ("/x", "\\\\server\\share\\x"), a
// drive-letter name ("C:\\x", "C:x") and a name holding ".." keep only their
// last component. No link is followed out of the working folder, neither to
// read nor to create.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zol {

// The name with backslashes turned into '/'.
std::string NormaliseDataFileName(std::string_view name);

// The existing regular file the name stands for: workDir/name, else
// workDir/last component of the name. Empty when neither exists inside the
// working folder.
std::filesystem::path ResolveDataFile(std::string_view name, const std::filesystem::path& workDir);

// A path for a file about to be written: the existing file when there is
// one; else workDir/name, created (empty) with its folders as needed; else
// workDir/last component, created. Empty when the name names no file ("",
// "..", "x/") or nothing could be created inside the working folder. The
// working folder itself is made when missing.
std::filesystem::path PrepareDataFile(std::string_view name, const std::filesystem::path& workDir);

}  // namespace zol
