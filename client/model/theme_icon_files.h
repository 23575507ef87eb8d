// Which files of a theme folder make which icon. A file "<Name>_off.<ext>"
// is the off picture of the icon <Name>, whose on and dim pictures are the
// files "<name>_on.<ext>" and "<name>_dim.<ext>" when they exist; any other
// "<Name>.<ext>" is an icon with that one picture. Suffixes and extensions
// match in any letter case. The folder is listed and the names compared
// here, so the same files make the same icons on a case-sensitive disk as on
// Windows.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zol {

// The picture extensions, in the order their icons are made.
inline constexpr std::array<std::string_view, 5> kThemePictureExtensions = {"png", "bmp", "jpg",
                                                                            "gif", "tif"};

struct IconFiles {
    std::string name;     // the icon's name, in the letter case of its file
    std::string offFile;  // file names within the folder
    std::string onFile;   // empty when there is none
    std::string dimFile;
};

// The regular files of `folder` (symbolic links followed), by name in byte
// order; empty when the folder cannot be listed.
std::vector<std::string> ListFolderFiles(const std::filesystem::path& folder);

// The icons that `fileNames` (one folder's files) make, extension by
// extension in the order of kThemePictureExtensions, and within one
// extension in the order of `fileNames`.
std::vector<IconFiles> MatchIconFiles(const std::vector<std::string>& fileNames);

}  // namespace zol
