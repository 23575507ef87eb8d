#include "assets/asset_paths.h"

#include <cstdlib>
#include <system_error>

namespace zol {

namespace {

namespace fs = std::filesystem;

constexpr const char* kAssetsDirVariable = "ZOL_ASSETS_DIR";
constexpr const char* kImagesFolder = "images";
constexpr const char* kThemesFolder = "themes";

// A folder counts as an assets root when it holds the pictures; the themes
// are checked for at start-up by the client with their own message.
bool HoldsAssets(const fs::path& root) {
    std::error_code error;
    return !root.empty() && fs::is_directory(root / kImagesFolder, error);
}

// True when `file` lies somewhere below `folder` (both made absolute and
// normal, without following links, so that a missing folder compares too).
bool IsInside(const fs::path& file, const fs::path& folder) {
    if (file.empty() || folder.empty()) {
        return false;
    }
    std::error_code error;
    const fs::path absoluteFile = fs::weakly_canonical(file, error);
    if (error) {
        return false;
    }
    const fs::path absoluteFolder = fs::weakly_canonical(folder, error);
    if (error) {
        return false;
    }
    auto fileIt = absoluteFile.begin();
    for (const auto& part : absoluteFolder) {
        if (part.empty()) {
            continue;  // the trailing separator of "dir/"
        }
        if (fileIt == absoluteFile.end() || *fileIt != part) {
            return false;
        }
        ++fileIt;
    }
    return true;
}

fs::path InstalledRoot(const fs::path& executablePath) {
    if (executablePath.empty()) {
        return {};
    }
    return executablePath.parent_path().parent_path() / "share" / "zol";
}

}  // namespace

AssetSearch CurrentAssetSearch() {
    AssetSearch search;
    if (const char* value = std::getenv(kAssetsDirVariable); value != nullptr) {
        search.envAssetsDir = value;
    }
    std::error_code error;
    search.executablePath = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        search.executablePath.clear();
    }
    search.buildTreeDir = ZOL_BUILD_TREE_DIR;
    search.sourceAssetsDir = ZOL_ASSETS_SOURCE_DIR;
    return search;
}

fs::path ResolveAssetsRoot(const AssetSearch& search) {
    if (!search.envAssetsDir.empty()) {
        return search.envAssetsDir;
    }
    if (IsInside(search.executablePath, search.buildTreeDir) &&
        HoldsAssets(search.sourceAssetsDir)) {
        return search.sourceAssetsDir;
    }
    const fs::path installed = InstalledRoot(search.executablePath);
    if (HoldsAssets(installed)) {
        return installed;
    }
    if (HoldsAssets(search.sourceAssetsDir)) {
        return search.sourceAssetsDir;
    }
    return installed.empty() ? search.sourceAssetsDir : installed;
}

fs::path AssetsRoot() {
    return ResolveAssetsRoot(CurrentAssetSearch());
}

fs::path ImagesDir() {
    return AssetsRoot() / kImagesFolder;
}

fs::path ThemesDir() {
    return AssetsRoot() / kThemesFolder;
}

fs::path ImageFile(const std::string& fileName) {
    return ImagesDir() / fileName;
}

}  // namespace zol
