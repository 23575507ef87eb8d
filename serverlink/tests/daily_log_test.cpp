#include "serverlink/daily_log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

namespace zol {
namespace {

namespace fs = std::filesystem;

std::tm At(int year, int month, int day, int hour = 14, int minute = 5, int second = 9) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t Count(const std::string& haystack, const std::string& needle) {
    std::size_t n = 0;
    for (std::size_t at = haystack.find(needle); at != std::string::npos;
         at = haystack.find(needle, at + 1)) {
        ++n;
    }
    return n;
}

class DailyLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zol-dailylog-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Touch(const std::string& name) { std::ofstream(dir_ / name) << "old"; }
    std::set<std::string> Files() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    fs::path dir_;
};

TEST_F(DailyLogTest, NamesCleanedBaseWithMonthAndDay) {
    EXPECT_EQ(DailyLog::CleanBaseName("a<b>c:d/e\\f|g?h*i.j"), "a_b_c_d_e_f_g_h_i_j");
    EXPECT_EQ(DailyLog::LogFilePath(dir_, "ZOLCloudWClient", 10, 23),
              dir_ / "ZOLCloudWClient_1023.log");

    DailyLog log(dir_, 7, [] { return At(2024, 3, 4); });
    ASSERT_TRUE(log.OpenDailyLog("Zol.Cloud"));
    EXPECT_EQ(log.CurrentFile(), dir_ / "Zol_Cloud_0304.log");
}

TEST_F(DailyLogTest, PrunesExactlyTheThreeDaysBeyondRetention) {
    for (int day = 1; day <= 10; ++day) {
        char name[32];
        std::snprintf(name, sizeof name, "ZOLCloudWClient_03%02d.log", day);
        Touch(name);
    }
    Touch("ZOLCloudWClient_0228.log");
    Touch("Other_0302.log");

    DailyLog log(dir_, 7, [] { return At(2024, 3, 10); });
    ASSERT_TRUE(log.OpenDailyLog("ZOLCloudWClient"));

    std::set<std::string> left = Files();
    EXPECT_EQ(left.count("ZOLCloudWClient_0301.log"), 0u);
    EXPECT_EQ(left.count("ZOLCloudWClient_0302.log"), 0u);
    EXPECT_EQ(left.count("ZOLCloudWClient_0303.log"), 0u);
    for (const char* kept :
         {"ZOLCloudWClient_0304.log", "ZOLCloudWClient_0309.log", "ZOLCloudWClient_0310.log",
          "ZOLCloudWClient_0228.log", "Other_0302.log"}) {
        EXPECT_EQ(left.count(kept), 1u) << kept;
    }
}

TEST_F(DailyLogTest, PruningCrossesMonthAndYearEnds) {
    Touch("L_1226.log");
    Touch("L_1225.log");
    Touch("L_1224.log");
    Touch("L_1227.log");
    DailyLog log(dir_, 7, [] { return At(2025, 1, 2); });
    ASSERT_TRUE(log.OpenDailyLog("L"));
    std::set<std::string> left = Files();
    EXPECT_EQ(left, (std::set<std::string>{"L_1227.log", "L_0102.log"}));
}

TEST_F(DailyLogTest, ZeroRetentionDeletesNothing) {
    Touch("L_0303.log");
    Touch("L_0310.log");
    DailyLog log(dir_, 0, [] { return At(2024, 3, 10); });
    ASSERT_TRUE(log.OpenDailyLog("L"));
    EXPECT_EQ(Files().size(), 2u);
    EXPECT_TRUE(fs::exists(dir_ / "L_0303.log"));
}

TEST_F(DailyLogTest, TwoOpensOnOneDayAppendTwoSeparators) {
    DailyLog log(dir_, 7, [] { return At(2024, 3, 10); });
    ASSERT_TRUE(log.OpenDailyLog("L"));
    log.WriteLogText("first", true, true);
    log.Close();
    ASSERT_TRUE(log.OpenDailyLog("L"));
    log.WriteLogText("second", true, true);
    log.Close();

    std::string text = ReadAll(dir_ / "L_0310.log");
    EXPECT_EQ(Count(text, "\r\n\r\n######## "), 2u);
    EXPECT_EQ(text.rfind("\r\n\r\n######## ", 0), 0u);
    EXPECT_LT(text.find("first"), text.rfind("######## "));
    EXPECT_GT(text.find("second"), text.rfind("######## "));
}

TEST_F(DailyLogTest, EntryFormats) {
    DailyLog log(dir_, 7, [] { return At(2024, 3, 10, 7, 8, 9); });
    ASSERT_TRUE(log.OpenDailyLog("L"));
    const std::string header = ReadAll(dir_ / "L_0310.log");
    ASSERT_GE(header.size(), 2u);
    EXPECT_EQ(header.substr(header.size() - 2), "\r\n");

    log.WriteLogText("\r\nAgent Connection: Open", true, true);
    log.WriteLogText("plain", false, false);
    log.WriteLogText(" more", true, false);
    log.WriteLogLine(std::string_view("a\0b", 3));
    std::string text = ReadAll(dir_ / "L_0310.log").substr(header.size());
    using namespace std::string_literals;
    EXPECT_EQ(text, "\r\n07:08:09 Agent Connection: Open\r\nplain more\r\n07:08:09 a\0b\r\n"s);
}

TEST_F(DailyLogTest, ClosedLogWritesNothingAndLockedFileIsRefused) {
    DailyLog first(dir_, 7, [] { return At(2024, 3, 10); });
    first.WriteLogText("lost", true, true);
    EXPECT_FALSE(first.IsOpen());
    ASSERT_TRUE(first.OpenDailyLog("L"));

    DailyLog second(dir_, 7, [] { return At(2024, 3, 10); });
    EXPECT_FALSE(second.OpenDailyLog("L"));
    second.WriteLogText("ignored", true, true);
    EXPECT_EQ(ReadAll(dir_ / "L_0310.log").find("ignored"), std::string::npos);

    DailyLog missingFolder(dir_ / "no" / "such", 7, [] { return At(2024, 3, 10); });
    EXPECT_FALSE(missingFolder.OpenDailyLog("L"));
}

TEST_F(DailyLogTest, EntriesFromManyThreadsNeverInterleave) {
    DailyLog log(dir_, 7, [] { return At(2024, 3, 10); });
    ASSERT_TRUE(log.OpenDailyLog("L"));
    const std::string body(200, 'x');
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([&log, &body, t] {
            for (int i = 0; i < 200; ++i) {
                log.WriteLogText("\r\n" + std::to_string(t) + body, true, true);
            }
        });
    }
    for (auto& w : writers)
        w.join();
    log.Close();

    std::istringstream lines(ReadAll(dir_ / "L_0310.log"));
    std::string line;
    int entries = 0;
    while (std::getline(lines, line)) {
        if (line.empty() || line == "\r" || line.rfind("########", 0) == 0)
            continue;
        ASSERT_EQ(line.size(), 9u + 1u + body.size() + 1u) << line;
        EXPECT_EQ(line.substr(0, 9), "14:05:09 ");
        ++entries;
    }
    EXPECT_EQ(entries, 800);
}

}  // namespace
}  // namespace zol
