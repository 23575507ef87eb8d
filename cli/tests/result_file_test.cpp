#include "cli/result_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace zol {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class ResultFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zol-result-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(ResultFileTest, ALaterReportReplacesAnEarlierOneExactly) {
    ResultFile file((dir_ / "r.txt").string());
    ASSERT_TRUE(file.Write("a much longer first report"));
    ASSERT_TRUE(file.Write("short"));
    EXPECT_EQ(Slurp(dir_ / "r.txt"), "short") << "no terminator, no line end, nothing left over";
    ASSERT_TRUE(file.Write(""));
    EXPECT_EQ(Slurp(dir_ / "r.txt"), "");
}

TEST_F(ResultFileTest, UnwritablePlacesAreSkippedQuietly) {
    EXPECT_FALSE(ResultFile((dir_ / "missing" / "r.txt").string()).Write("x"));
    EXPECT_FALSE(ResultFile(dir_.string()).Write("x")) << "a folder is no result file";
    EXPECT_FALSE(ResultFile("").Write("x"));
    EXPECT_FALSE(fs::exists(dir_ / "missing"));
}

TEST_F(ResultFileTest, AnotherWriterHoldingTheFileKeepsItsBytes) {
    const fs::path path = dir_ / "held.txt";
    std::ofstream(path) << "theirs";
    int fd = ::open(path.c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    EXPECT_FALSE(ResultFile(path.string()).Write("mine"));
    EXPECT_EQ(Slurp(path), "theirs");
    ::close(fd);
    EXPECT_TRUE(ResultFile(path.string()).Write("mine"));
    EXPECT_EQ(Slurp(path), "mine");
}

}  // namespace
}  // namespace zol
