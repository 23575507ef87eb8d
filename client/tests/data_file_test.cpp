#include "client/model/data_file.h"

#include "client/core/client_settings.h"
#include "client/core/default_locations.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace zol {
namespace {

namespace fs = std::filesystem;

class DataFileTest : public ::testing::Test {
  protected:
    testing::TempDir dir_;
    fs::path work_ = dir_.Path() / "Work";
    void SetUp() override { fs::create_directories(work_); }
};

TEST_F(DataFileTest, ResolveFindsNamesUnderTheWorkingFolderAndFallsBackToTheLastComponent) {
    const fs::path chime = dir_.Write("Work/chime.wav", "RIFF");
    EXPECT_EQ(ResolveDataFile("chime.wav", work_), chime);
    // An absolute name that does not exist falls back to the working folder.
    EXPECT_EQ(ResolveDataFile((dir_.Path() / "Sounds/chime.wav").string(), work_), chime);
    // Server names with backslashes, relative or absolute.
    EXPECT_EQ(ResolveDataFile("Sounds\\chime.wav", work_), chime);
    EXPECT_EQ(ResolveDataFile("\\\\server\\share\\chime.wav", work_), chime);
    const fs::path nested = dir_.Write("Work/Sounds/bell.wav", "RIFF");
    EXPECT_EQ(ResolveDataFile("Sounds\\bell.wav", work_), nested);
    EXPECT_EQ(ResolveDataFile("missing.wav", work_), fs::path());
    EXPECT_EQ(ResolveDataFile("", work_), fs::path());
    // A folder is not a file.
    fs::create_directories(work_ / "folder");
    EXPECT_EQ(ResolveDataFile("folder", work_), fs::path());
}

TEST_F(DataFileTest, ResolveTakesAnExistingAbsoluteNameAsItIs) {
    const fs::path elsewhere = dir_.Write("Elsewhere/door.wav", "RIFF");
    dir_.Write("Work/door.wav", "RIFF");
    EXPECT_EQ(ResolveDataFile(elsewhere.string(), work_), elsewhere);
}

TEST_F(DataFileTest, NamesClimbingOutOfTheWorkingFolderAreKeptInside) {
    dir_.Write("secret.txt", "x");
    EXPECT_EQ(ResolveDataFile("..\\secret.txt", work_), fs::path());
    const fs::path prepared = PrepareDataFile("..\\..\\escape.txt", work_);
    EXPECT_EQ(prepared, work_ / "escape.txt");
    EXPECT_FALSE(fs::exists(dir_.Path() / "escape.txt"));
}

TEST_F(DataFileTest, PrepareCreatesAnEmptyFileWithItsFolders) {
    const fs::path p = PrepareDataFile("Icons\\Theme_36_36\\lamp_on.png", work_);
    EXPECT_EQ(p, work_ / "Icons/Theme_36_36/lamp_on.png");
    EXPECT_TRUE(fs::is_regular_file(p));
    EXPECT_EQ(fs::file_size(p), 0u);
    // Asked again it finds the file and leaves its contents alone.
    dir_.Write("Work/Icons/Theme_36_36/lamp_on.png", "data");
    EXPECT_EQ(PrepareDataFile("Icons\\Theme_36_36\\lamp_on.png", work_), p);
    EXPECT_EQ(fs::file_size(p), 4u);
}

TEST_F(DataFileTest, PrepareFallsBackToTheNameItselfThenToTheLastComponent) {
    // No working folder: the absolute name itself is created.
    const fs::path own = dir_.Path() / "Own/file.bin";
    EXPECT_EQ(PrepareDataFile(own.string(), fs::path()), own);
    EXPECT_TRUE(fs::exists(own));
    // A working folder that cannot hold the file (a file blocks the folder).
    dir_.Write("Work/blocked", "x");
    const fs::path last = PrepareDataFile("blocked\\inner\\x.bin", work_);
    EXPECT_EQ(last, work_ / "x.bin");
    // A relative name is never created relative to the current folder.
    EXPECT_FALSE(fs::exists("blocked/inner/x.bin"));
}

TEST_F(DataFileTest, TheSettingsWorkingFolderIsUsed) {
    ClientSettings settings;
    settings.tempDirPath = work_.string();
    const fs::path chime = dir_.Write("Work/chime.wav", "RIFF");
    EXPECT_EQ(ResolveDataFile("C:\\Sounds\\chime.wav", settings), chime);
    EXPECT_EQ(PrepareDataFile("new.log", settings), work_ / "new.log");
}

}  // namespace
}  // namespace zol
