// Where the client finds its interface pictures ("images") and icon themes
// ("themes"). Both live under one assets root, looked up in this order:
//   1. $ZOL_ASSETS_DIR, when set and not empty (an explicit choice wins even
//      when the folder is missing, so tests can point the client elsewhere);
//   2. the source tree's assets/ folder, when the program runs from inside
//      the build tree it was built in;
//   3. <prefix>/share/zol, found relative to the program as ../share/zol;
//   4. the source tree's assets/ folder, when it still exists (a build tree
//      that was moved or a program copied out of it);
//   5. otherwise the install location of step 3, so that messages about a
//      missing picture name the place where it was expected.
// Thread-safety: every function is safe to call from any thread; nothing is
// cached.
#pragma once

#include <filesystem>
#include <string>

namespace zol {

// The inputs of the search, gathered once so that the rule itself can be
// exercised without touching the process environment.
struct AssetSearch {
    std::string envAssetsDir;               // value of ZOL_ASSETS_DIR, or empty
    std::filesystem::path executablePath;   // the running program's file
    std::filesystem::path buildTreeDir;     // the build tree it was built in
    std::filesystem::path sourceAssetsDir;  // <source>/assets
};

// The search inputs of this process: the environment, /proc/self/exe and the
// folders compiled in.
AssetSearch CurrentAssetSearch();

// Applies the lookup order above to `search`.
std::filesystem::path ResolveAssetsRoot(const AssetSearch& search);

std::filesystem::path AssetsRoot();
std::filesystem::path ImagesDir();
std::filesystem::path ThemesDir();

// The file of one interface picture, e.g. ImageFile("NavBack.png").
std::filesystem::path ImageFile(const std::string& fileName);

}  // namespace zol
