// Folders the client uses while the Location settings are empty (they have
// no defaults; an installer or the settings pages fill them). The settings
// themselves stay empty, so a moved installation keeps finding its files.
#pragma once

#include <filesystem>

namespace zol {

struct ClientSettings;

// ThemeDirPath, else the themes shipped with the program.
std::filesystem::path EffectiveThemeDir(const ClientSettings& settings);
// TempDirPath, else $XDG_CACHE_HOME/Tarnwell/ZOLClient (~/.cache when unset).
std::filesystem::path EffectiveTempDir(const ClientSettings& settings);

}  // namespace zol
