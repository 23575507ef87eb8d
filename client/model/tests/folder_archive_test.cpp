// HTML folder archives: what unpacks, what is refused, and that a refused or
// broken archive leaves the folder as it was and writes nothing anywhere.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "client/model/folder_archive.h"
#include "client/tests/temp_dir.h"
#include "zip_writer.h"

namespace zol {
namespace {

namespace fs = std::filesystem;
using testing::Slurp;
using testing::ZipEntry;

// Every path below `root` with its content (folders as "/").
std::set<std::string> Snapshot(const fs::path& root) {
    std::set<std::string> all;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string relative = fs::relative(entry.path(), root).string();
        all.insert(entry.is_directory() ? relative + "/" : relative + "=" + Slurp(entry.path()));
    }
    return all;
}

class FolderArchiveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        page_ = dir_.Path() / "page";
        dir_.Write("page/index.html", "<html>old page</html>");
        dir_.Write("page/images/old.png", "old picture");
        dir_.Write("page/style.css", "old style");
    }
    ArchiveResult Extract(const std::vector<ZipEntry>& entries, const ArchiveLimits& limits = {}) {
        EXPECT_TRUE(testing::WriteZip(archive_, entries));
        return ExtractFolderArchive(archive_, page_, limits);
    }

    testing::TempDir dir_;
    fs::path page_;
    fs::path archive_ = dir_.Path() / "FolderFiles.zip";
};

TEST_F(FolderArchiveTest, UnpacksFoldersAndFilesReplacingWhatTheyName) {
    const ArchiveResult result = Extract({{"images/", ""},
                                          {"images\\sub\\new.png", "new picture"},
                                          {"./style.css", "new style"},
                                          {"a//b/./c.txt", "deep", 0100644}});
    ASSERT_EQ(result.code, ArchiveOk) << result.text;
    EXPECT_EQ(result.text, "");
    EXPECT_EQ(Snapshot(page_),
              (std::set<std::string>{"a/", "a/b/", "a/b/c.txt=deep", "images/", "images/sub/",
                                     "images/sub/new.png=new picture",
                                     "index.html=<html>old page</html>", "style.css=new style"}));
}

TEST_F(FolderArchiveTest, HostileEntriesAreRefusedAndNothingIsWritten) {
    const fs::path outside = dir_.Path() / "outside";
    const std::vector<std::pair<ZipEntry, std::string>> hostile = {
        {{"../x", "escape"}, "a parent folder step"},
        {{(outside / "abs").string(), "escape"}, "an absolute path"},
        {{"..\\x", "escape"}, "a parent folder step"},
        {{"C:x", "escape"}, "a drive letter or stream name"},
        {{"a\\..\\..\\b", "escape"}, "a parent folder step"},
        {{"link", "../../outside", 0120777}, "a link or special file"},
        {{"\\\\server\\share\\x", "escape"}, "an absolute path"},
    };
    const std::set<std::string> before = Snapshot(dir_.Path());
    for (const auto& [entry, reason] : hostile) {
        const ArchiveResult result = Extract({{"first.txt", "harmless"}, entry});
        EXPECT_EQ(result.code, ArchiveUnsafeEntry) << entry.name;
        EXPECT_EQ(result.text, "The zip file from the server holds the entry \"" + entry.name +
                                   "\" that is refused: " + reason);
        fs::remove(archive_);
        EXPECT_EQ(Snapshot(dir_.Path()), before) << entry.name;
    }
}

TEST_F(FolderArchiveTest, CapsTheEntryCountAndTheUnpackedSize) {
    const std::set<std::string> before = Snapshot(page_);
    ArchiveLimits limits;
    limits.maxEntries = 2;
    ArchiveResult result = Extract({{"1", "a"}, {"2", "b"}, {"3", "c"}}, limits);
    EXPECT_EQ(result.code, ArchiveTooLarge);
    EXPECT_EQ(result.text, "The zip file from the server holds more than 2 entries");

    limits = ArchiveLimits{};
    limits.maxTotalBytes = 2500;
    result = Extract({{"1", std::string(1000, 'x')},
                      {"2", std::string(1000, 'y')},
                      {"3", std::string(1000, 'z')}},
                     limits);
    EXPECT_EQ(result.code, ArchiveTooLarge);
    EXPECT_EQ(result.text, "The zip file from the server unpacks to more than 2500 bytes");
    EXPECT_EQ(Snapshot(page_), before);
}

TEST_F(FolderArchiveTest, ABrokenArchiveLeavesTheFolderAsItWas) {
    const std::set<std::string> before = Snapshot(page_);
    ASSERT_TRUE(testing::WriteZip(
        archive_, {{"style.css", "new style", 0, true}, {"z.txt", "some stored text", 0, true}}));
    std::string bytes = Slurp(archive_);
    const std::size_t at = bytes.find("some stored text");
    ASSERT_NE(at, std::string::npos);
    bytes[at] = 'S';  // the CRC no longer matches
    std::ofstream(archive_, std::ios::binary | std::ios::trunc) << bytes;

    const ArchiveResult result = ExtractFolderArchive(archive_, page_);
    EXPECT_EQ(result.code, ArchiveDamaged);
    EXPECT_EQ(result.text, "Unzip error (CRC error) in \"z.txt\"");
    EXPECT_EQ(Snapshot(page_), before);  // style.css, unpacked first, is not in place

    dir_.Write("FolderFiles.zip", "not a zip file");
    EXPECT_EQ(ExtractFolderArchive(archive_, page_).text,
              "Can't open zip file transfered from the server to the client");
    EXPECT_EQ(ExtractFolderArchive(dir_.Path() / "absent.zip", page_).code, ArchiveCannotOpen);
    EXPECT_EQ(Snapshot(page_), before);
}

TEST(SafeEntryPathTest, KeepsOnlyNamesThatStayBelowTheFolder) {
    bool isFolder = false;
    std::string refusal;
    EXPECT_EQ(SafeEntryPath("a\\b/c.txt", isFolder, refusal), "a/b/c.txt");
    EXPECT_FALSE(isFolder);
    EXPECT_EQ(SafeEntryPath("css\\", isFolder, refusal), "css");
    EXPECT_TRUE(isFolder);
    EXPECT_EQ(SafeEntryPath("./", isFolder, refusal), "");
    EXPECT_EQ(refusal, "");  // the folder itself: nothing to make
    EXPECT_EQ(SafeEntryPath("...", isFolder, refusal), "...");  // a name, not a step
    const std::string_view hostile[] = {"",    ".",  "a/..", "/", std::string_view("a\0b", 3),
                                        "x:y", "../"};
    for (std::string_view bad : hostile) {
        EXPECT_EQ(SafeEntryPath(bad, isFolder, refusal), "") << bad;
        EXPECT_NE(refusal, "") << bad;
    }
    EXPECT_EQ(SafeEntryPath(std::string(256, 'n'), isFolder, refusal), "");
    EXPECT_EQ(refusal, "a name part longer than 255 bytes");
}

}  // namespace
}  // namespace zol
