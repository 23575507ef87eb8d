#include "assets/asset_paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

namespace zol {
namespace {

namespace fs = std::filesystem;

// A scratch tree with a build folder, a source assets folder and an install
// prefix, each created only when a case asks for it.
class AssetSearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("zol_asset_paths_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
        search_.buildTreeDir = root_ / "build";
        search_.sourceAssetsDir = root_ / "src" / "assets";
    }
    void TearDown() override { fs::remove_all(root_); }

    static void MakeAssets(const fs::path& folder) { fs::create_directories(folder / "images"); }
    fs::path Prefix() const { return root_ / "prefix"; }
    fs::path InstalledAssets() const { return Prefix() / "share" / "zol"; }

    fs::path root_;
    AssetSearch search_;
};

TEST_F(AssetSearchTest, EnvironmentWinsEvenWhenTheFolderIsMissing) {
    MakeAssets(search_.sourceAssetsDir);
    search_.executablePath = search_.buildTreeDir / "client" / "zolclient";
    search_.envAssetsDir = (root_ / "nowhere").string();
    EXPECT_EQ(ResolveAssetsRoot(search_), root_ / "nowhere");
}

TEST_F(AssetSearchTest, ProgramInItsBuildTreeUsesTheSourceAssets) {
    MakeAssets(search_.sourceAssetsDir);
    MakeAssets(InstalledAssets());
    search_.executablePath = search_.buildTreeDir / "client" / "zolclient";
    EXPECT_EQ(ResolveAssetsRoot(search_), search_.sourceAssetsDir);
}

TEST_F(AssetSearchTest, InstalledProgramUsesShareZolBesideIt) {
    MakeAssets(search_.sourceAssetsDir);
    MakeAssets(InstalledAssets());
    search_.executablePath = Prefix() / "bin" / "zolclient";
    EXPECT_EQ(ResolveAssetsRoot(search_), InstalledAssets());
}

TEST_F(AssetSearchTest, BuildFolderNamePrefixIsNotInsideTheBuildTree) {
    // "build-other" starts with "build" but is a different folder.
    MakeAssets(search_.sourceAssetsDir);
    fs::create_directories(root_ / "build-other" / "share" / "zol" / "images");
    search_.executablePath = root_ / "build-other" / "bin" / "zolclient";
    EXPECT_EQ(ResolveAssetsRoot(search_), root_ / "build-other" / "share" / "zol");
}

TEST_F(AssetSearchTest, CopiedProgramFallsBackToTheSourceAssets) {
    MakeAssets(search_.sourceAssetsDir);
    search_.executablePath = root_ / "elsewhere" / "bin" / "zolclient";
    EXPECT_EQ(ResolveAssetsRoot(search_), search_.sourceAssetsDir);
}

TEST_F(AssetSearchTest, NothingFoundNamesTheInstallLocation) {
    search_.executablePath = Prefix() / "bin" / "zolclient";
    EXPECT_EQ(ResolveAssetsRoot(search_), InstalledAssets());
}

TEST_F(AssetSearchTest, UnknownProgramPathStillFindsTheSourceAssets) {
    MakeAssets(search_.sourceAssetsDir);
    EXPECT_EQ(ResolveAssetsRoot(search_), search_.sourceAssetsDir);
}

TEST_F(AssetSearchTest, AssetsRootWithoutImagesIsSkipped) {
    // A share/zol that lacks images/ (a broken install) is not taken.
    fs::create_directories(InstalledAssets() / "themes");
    MakeAssets(search_.sourceAssetsDir);
    search_.executablePath = Prefix() / "bin" / "zolclient";
    EXPECT_EQ(ResolveAssetsRoot(search_), search_.sourceAssetsDir);
}

// This test program runs from the build tree, so it sees the source tree's
// pictures unless the environment says otherwise.
TEST(AssetPathsProcess, FindsTheSourceTreeAndHonoursTheEnvironment) {
    ::unsetenv("ZOL_ASSETS_DIR");
    EXPECT_EQ(fs::weakly_canonical(AssetsRoot()), fs::weakly_canonical(ZOL_ASSETS_SOURCE_DIR));
    EXPECT_TRUE(fs::is_regular_file(ImageFile("NavBack.png")));
    EXPECT_TRUE(fs::is_directory(ThemesDir() / "Theme_110_110"));

    ::setenv("ZOL_ASSETS_DIR", "/opt/zol-test-assets", 1);
    EXPECT_EQ(ImagesDir(), fs::path("/opt/zol-test-assets/images"));
    EXPECT_EQ(ThemesDir(), fs::path("/opt/zol-test-assets/themes"));
    ::unsetenv("ZOL_ASSETS_DIR");
}

}  // namespace
}  // namespace zol
