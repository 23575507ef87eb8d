// Folders the client uses while the Location settings are empty (they have
// no defaults; an installer or the settings pages fill them). The settings
// themselves stay empty, so a moved installation keeps finding its files.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zol {

struct ClientSettings;

// ThemeDirPath, else the themes shipped with the program.
std::filesystem::path EffectiveThemeDir(const ClientSettings& settings);
// TempDirPath, else $XDG_CACHE_HOME/Tarnwell/ZOLClient (~/.cache when unset).
std::filesystem::path EffectiveTempDir(const ClientSettings& settings);

// An interface picture ("ConnectGreen.png") of the installation or the
// source tree.
std::filesystem::path InterfacePicturePath(const std::string& fileName);

// ResolveDataFile and PrepareDataFile under the working folder in effect.
std::filesystem::path ResolveDataFile(std::string_view name, const ClientSettings& settings);
std::filesystem::path PrepareDataFile(std::string_view name, const ClientSettings& settings);

}  // namespace zol
