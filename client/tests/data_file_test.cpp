#include "client/model/data_file.h"

#include <sys/stat.h>

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
    fs::path outside_ = dir_.Path() / "Outside";
    void SetUp() override {
        fs::create_directories(work_);
        fs::create_directories(outside_);
    }
    // Everything under the test folder that is not under the working folder.
    std::vector<fs::path> FilesOutsideWork() const {
        std::vector<fs::path> found;
        for (const auto& entry : fs::recursive_directory_iterator(dir_.Path())) {
            const fs::path rel = entry.path().lexically_relative(work_);
            if (!rel.empty() && *rel.begin() == ".." && !entry.is_directory())
                found.push_back(entry.path());
        }
        return found;
    }
};

TEST_F(DataFileTest, ResolveFindsNamesUnderTheWorkingFolderAndFallsBackToTheLastComponent) {
    const fs::path chime = dir_.Write("Work/chime.wav", "RIFF");
    EXPECT_EQ(ResolveDataFile("chime.wav", work_), chime);
    // Server names with backslashes, relative, absolute, drive-letter or UNC.
    EXPECT_EQ(ResolveDataFile("Sounds\\chime.wav", work_), chime);
    EXPECT_EQ(ResolveDataFile("D:\\Sounds\\chime.wav", work_), chime);
    EXPECT_EQ(ResolveDataFile("\\\\server\\share\\chime.wav", work_), chime);
    const fs::path nested = dir_.Write("Work/Sounds/bell.wav", "RIFF");
    EXPECT_EQ(ResolveDataFile("Sounds\\bell.wav", work_), nested);
    EXPECT_EQ(ResolveDataFile("missing.wav", work_), fs::path());
    EXPECT_EQ(ResolveDataFile("", work_), fs::path());
    // A folder is not a file.
    fs::create_directories(work_ / "folder");
    EXPECT_EQ(ResolveDataFile("folder", work_), fs::path());
}

TEST_F(DataFileTest, ResolveNeverReadsOutsideTheWorkingFolder) {
    const fs::path secret = dir_.Write("Outside/secret.txt", "x");
    dir_.Write("secret.txt", "x");
    EXPECT_EQ(ResolveDataFile(secret.string(), work_), fs::path());
    EXPECT_EQ(ResolveDataFile("..\\secret.txt", work_), fs::path());
    EXPECT_EQ(ResolveDataFile("..\\Outside\\secret.txt", work_), fs::path());
    // Links inside that lead out are not followed: to a file, to a folder.
    fs::create_symlink(secret, work_ / "linked.txt");
    fs::create_directory_symlink(outside_, work_ / "Linked");
    EXPECT_EQ(ResolveDataFile("linked.txt", work_), fs::path());
    EXPECT_EQ(ResolveDataFile("Linked\\secret.txt", work_), fs::path());
    // An absolute name that exists outside falls back to the last component.
    const fs::path inside = dir_.Write("Work/secret.txt", "y");
    EXPECT_EQ(ResolveDataFile(secret.string(), work_), inside);
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
    // The working folder itself is made when missing.
    EXPECT_EQ(PrepareDataFile("a.log", dir_.Path() / "New"), dir_.Path() / "New/a.log");
}

TEST_F(DataFileTest, PrepareKeepsEveryServerNameInsideTheWorkingFolder) {
    const std::string home = (outside_ / ".bashrc").string();
    EXPECT_EQ(PrepareDataFile(home, work_), work_ / ".bashrc");
    EXPECT_EQ(PrepareDataFile("C:\\Users\\me\\autorun.bat", work_), work_ / "autorun.bat");
    EXPECT_EQ(PrepareDataFile("c:boot.ini", work_), work_ / "boot.ini");
    EXPECT_EQ(PrepareDataFile("\\\\server\\share\\x.bin", work_), work_ / "x.bin");
    EXPECT_EQ(PrepareDataFile("..\\..\\escape.txt", work_), work_ / "escape.txt");
    EXPECT_EQ(PrepareDataFile("Sounds\\..\\..\\up.wav", work_), work_ / "up.wav");
    for (const char* name : {"..", "Sounds\\..", "Sounds\\", "C:"})
        EXPECT_EQ(PrepareDataFile(name, work_), fs::path()) << name;
    EXPECT_EQ(PrepareDataFile(std::string("a\0b", 3), work_), fs::path());
    // Without a working folder nothing is made anywhere.
    EXPECT_EQ(PrepareDataFile(home, fs::path()), fs::path());
    EXPECT_EQ(FilesOutsideWork(), std::vector<fs::path>());
}

TEST_F(DataFileTest, PrepareFollowsNoLinkOutOfTheWorkingFolder) {
    fs::create_directory_symlink(outside_, work_ / "Linked");
    fs::create_symlink(outside_ / "target.txt", work_ / "dangling.txt");
    EXPECT_EQ(PrepareDataFile("Linked\\evil.txt", work_), work_ / "evil.txt");
    EXPECT_EQ(PrepareDataFile("Linked\\Deeper\\evil.txt", work_), work_ / "evil.txt");
    // The link itself cannot be taken, and its name is all there is.
    EXPECT_EQ(PrepareDataFile("dangling.txt", work_), fs::path());
    EXPECT_EQ(FilesOutsideWork(), std::vector<fs::path>());
    EXPECT_FALSE(fs::exists(outside_ / "Deeper"));
}

TEST_F(DataFileTest, PrepareFallsBackToTheLastComponentAndNeverBlocks) {
    // A file blocks the folder the name asks for.
    dir_.Write("Work/blocked", "x");
    EXPECT_EQ(PrepareDataFile("blocked\\inner\\x.bin", work_), work_ / "x.bin");
    EXPECT_TRUE(fs::is_regular_file(work_ / "x.bin"));
    // A pipe where the file should be is refused instead of waited on.
    ASSERT_EQ(::mkfifo((work_ / "pipe.wav").c_str(), 0600), 0);
    EXPECT_EQ(PrepareDataFile("pipe.wav", work_), fs::path());
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
