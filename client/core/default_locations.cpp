#include "client/core/default_locations.h"

#include <cstdlib>

#include "client/core/client_settings.h"
#include "client/model/data_file.h"
#include "guibase/windows1252_text.h"

#if ZOL_HAVE_ASSET_PATHS
#include "assets/asset_paths.h"
#endif

namespace zol {

std::filesystem::path EffectiveThemeDir(const ClientSettings& settings) {
    if (!settings.themeDirPath.empty())
        return PathFromWindows1252(settings.themeDirPath);
#if ZOL_HAVE_ASSET_PATHS
    return ThemesDir();
#else
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return exe.parent_path() / ".." / "share" / "zol" / "themes";
#endif
}

std::filesystem::path InterfacePicturePath(const std::string& fileName) {
#if ZOL_HAVE_ASSET_PATHS
    return ImageFile(fileName);
#else
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return exe.parent_path() / ".." / "share" / "zol" / "images" / fileName;
#endif
}

std::filesystem::path EffectiveTempDir(const ClientSettings& settings) {
    if (!settings.tempDirPath.empty())
        return PathFromWindows1252(settings.tempDirPath);
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg != nullptr && *xdg == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        base = std::filesystem::path(home) / ".cache";
    } else {
        base = std::filesystem::temp_directory_path();
    }
    return base / "Tarnwell" / kClientProgramName;
}

std::filesystem::path ResolveDataFile(std::string_view name, const ClientSettings& settings) {
    return ResolveDataFile(name, EffectiveTempDir(settings));
}

std::filesystem::path PrepareDataFile(std::string_view name, const ClientSettings& settings) {
    return PrepareDataFile(name, EffectiveTempDir(settings));
}

}  // namespace zol
