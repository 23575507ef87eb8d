#include "client/core/theme_folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "client/model/profile_file.h"
#include "temp_dir.h"

namespace zol {
namespace {

TEST(ThemeFoldersTest, EverySubfolderBecomesASetWithItsMetrics) {
    testing::TempDir dir;
    dir.Write(
        "Theme_36_36/theme.txt",
        "[Metrics]\r\ncxStandard=36\r\ncyStandard = 36\r\ncxCell=50\r\ncyCell=50\r\n"
        "[feature]\r\nTYPE=2\r\nFont=\"Open Sans\"\r\nFontPointMin=10\r\nFontPointMax=30\r\n");
    dir.Write("Theme_54_54/theme.txt", "[Metrics]\ncxStandard=54\n");
    dir.Write("Theme_110_110/readme.txt", "no theme.txt here");
    dir.Write("notes.txt", "a file, not a theme");

    ThemeFolderList list = EnumerateThemeFolders(dir.Path());
    ASSERT_TRUE(list.listed);
    ASSERT_EQ(list.sets.size(), 3u);
    EXPECT_EQ(list.sets[0]->name, "Theme_110_110");
    EXPECT_EQ(list.sets[1]->name, "Theme_36_36");
    const IconSet& t36 = *list.sets[1];
    EXPECT_EQ(t36.recordType, 2);
    EXPECT_EQ(t36.cxStandard, 36);
    EXPECT_EQ(t36.cyStandard, 36);
    EXPECT_EQ(t36.cxCell, 50);
    EXPECT_EQ(t36.featureType, 2);
    EXPECT_EQ(t36.fontFace, "Open Sans");
    EXPECT_EQ(t36.fontCount, 8);  // 21 sizes, at most 8
    EXPECT_EQ(t36.folder, (dir.Path() / "Theme_36_36").string());
    // Missing keys take the defaults.
    const IconSet& t110 = *list.sets[0];
    EXPECT_EQ(t110.cxStandard, 1);  // no zero to divide by later
    EXPECT_EQ(t110.cxCell, kMinThemeCell);
    EXPECT_EQ(t110.fontFace, "Calibri");
    EXPECT_EQ(t110.fontPointMin, 12);
    EXPECT_EQ(t110.fontPointMax, 48);
    EXPECT_EQ(t110.fontCount, 0);  // feature type 0: no fonts
    EXPECT_TRUE(MissingThemeMessages(list).empty());
}

TEST(ThemeFoldersTest, FolderNamesBecomeWindows1252Names) {
    testing::TempDir dir;
    dir.Write("Th\xC3\xA8me/theme.txt", "");  // "Thème" in the file system's UTF-8
    ThemeFolderList list = EnumerateThemeFolders(dir.Path());
    ASSERT_EQ(list.sets.size(), 1u);
    EXPECT_EQ(list.sets[0]->name, "Th\xE8me");
}

TEST(ThemeFoldersTest, OnlyTheMissingRequiredThemesAreReported) {
    testing::TempDir dir;
    dir.Write("Theme_36_36/theme.txt", "");
    dir.Write("Theme_110_110/theme.txt", "");
    dir.Write("Custom/theme.txt", "");
    EXPECT_EQ(MissingThemeMessages(EnumerateThemeFolders(dir.Path())),
              std::vector<std::string>{"Can't locate Theme_54_54!  Check the install"});

    testing::TempDir empty;
    EXPECT_EQ(MissingThemeMessages(EnumerateThemeFolders(empty.Path())),
              (std::vector<std::string>{"Can't locate Theme_36_36!  Check the install",
                                        "Can't locate Theme_54_54!  Check the install",
                                        "Can't locate Theme_110_110!  Check the install"}));
}

TEST(ThemeFoldersTest, AFolderThatCannotBeListedShowsNothing) {
    testing::TempDir dir;
    ThemeFolderList missing = EnumerateThemeFolders(dir.Path() / "absent");
    EXPECT_FALSE(missing.listed);
    EXPECT_TRUE(MissingThemeMessages(missing).empty());
    EXPECT_FALSE(EnumerateThemeFolders("").listed);
    // A file where the folder should be.
    EXPECT_FALSE(EnumerateThemeFolders(dir.Write("file", "x")).listed);
    if (::geteuid() != 0) {  // root reads every folder whatever its mode
        std::filesystem::create_directories(dir.Path() / "locked");
        ::chmod((dir.Path() / "locked").c_str(), 0);
        EXPECT_FALSE(EnumerateThemeFolders(dir.Path() / "locked").listed);
        ::chmod((dir.Path() / "locked").c_str(), 0700);
    }
}

TEST(ProfileFileTest, ProfileRulesForThemeFiles) {
    ProfileFile p = ProfileFile::Parse(
        "; comment\n[Metrics]\ncxCell=50px\ncxCell=60\nneg=-7\njunk=abc\n"
        "big=99999999999\n[Feature]\nFont=  Calibri Light  \n[broken\nx=1\n");
    EXPECT_EQ(p.GetInt("metrics", "CXCELL", 0), 50);  // first one wins, digits only
    EXPECT_EQ(p.GetInt("Metrics", "neg", 0), -7);
    EXPECT_EQ(p.GetInt("Metrics", "junk", 5), 0);
    EXPECT_EQ(p.GetInt("Metrics", "big", 0), 2147483647);
    EXPECT_EQ(p.GetInt("Metrics", "missing", 42), 42);
    EXPECT_EQ(p.GetString("Feature", "Font", "x", 63), "Calibri Light");
    EXPECT_EQ(p.GetString("Feature", "Font", "x", 4), "Cali");
    EXPECT_EQ(p.GetString("Nope", "Font", "dflt", 63), "dflt");
}

}  // namespace
}  // namespace zol
