// File transfer against scripted "GetFile" replies: what reaches the disk,
// what `present` says, and that a failed transfer keeps the copy there was.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "client/model/load_limits.h"
#include "client/model/server_file.h"
#include "client/tests/temp_dir.h"
#include "model_fakes.h"
#include "scripted_channel.h"

namespace zol {
namespace {

namespace fs = std::filesystem;
using testing::Frame;
using testing::ScriptedChannel;
using testing::ScriptedReply;
using testing::Slurp;

ScriptedReply Chunk(std::string hex) {
    return {0, Frame({"0", "ZOLApp", "GetFile", "pic.png", "0", "2", "41", hex})};
}
ScriptedReply End() {
    return {0, Frame({"1", "ZOLApp", "GetFile"})};
}

class ServerFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zol-model-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        local_ = dir_ / "pic.png";
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs a transfer whose chunk n is answered by replies[n].
    int Fetch(std::vector<ScriptedReply> replies) {
        channel_ = std::make_unique<ScriptedChannel>([replies](const ReplyFields& request) {
            const auto chunk = static_cast<std::size_t>(ReadDecimal(request.Text(5)));
            return chunk < replies.size() ? replies[chunk] : End();
        });
        present_ = 1;
        return FetchServerFile(*channel_, reporter_, "pictures\\pic.png", local_, present_);
    }
    std::size_t FilesInDir() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }

    fs::path dir_;
    fs::path local_;
    testing::FakeReporter reporter_;
    std::unique_ptr<ScriptedChannel> channel_;
    int present_ = 0;
};

TEST_F(ServerFileTest, WritesHexChunksInEitherCase) {
    EXPECT_EQ(Fetch({Chunk("0a1F"), Chunk("fF00")}), 0);
    EXPECT_EQ(present_, 1);
    EXPECT_EQ(Slurp(local_), std::string("\x0a\x1f\xff\x00", 4));
    ASSERT_EQ(channel_->requests.size(), 3u);
    const ReplyFields& first = channel_->requests[0];
    EXPECT_EQ(first.Count(), 7);
    EXPECT_EQ(first.Text(3), "File");
    EXPECT_EQ(first.Text(4), "pictures\\pic.png");
    EXPECT_EQ(first.Text(6), "0");  // no local copy: size and sum 0
    EXPECT_EQ(channel_->requests[1].Count(), 5);
    EXPECT_EQ(channel_->requests[1].Text(5), "1");
    EXPECT_TRUE(reporter_.messages.empty());
    EXPECT_EQ(FilesInDir(), 1u);  // no temporary file left behind
}

TEST_F(ServerFileTest, CurrentOrMissingFilesNeedNoTransfer) {
    std::ofstream(local_, std::ios::binary) << "AB";
    ScriptedChannel channel([](const ReplyFields&) {
        return ScriptedReply{0, Frame({"-4", "ZOLApp", "GetFile"})};
    });
    int present = 0;
    EXPECT_EQ(FetchServerFile(channel, reporter_, "pic.png", local_, present), 0);
    EXPECT_EQ(present, 1);
    ASSERT_EQ(channel.requests.size(), 1u);
    EXPECT_EQ(channel.requests[0].Text(6), "2");
    EXPECT_EQ(channel.requests[0].Text(7), "131");  // 'A' + 'B'

    EXPECT_EQ(Fetch({{0, Frame({"-2", "ZOLApp", "GetFile"})}}), 0);
    EXPECT_EQ(present_, 0);
    EXPECT_EQ(Slurp(local_), "AB");
    EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(ServerFileTest, FailedTransfersKeepTheGoodCopy) {
    std::ofstream(local_, std::ios::binary) << "good";
    const std::vector<std::pair<std::vector<ScriptedReply>, std::string>> cases = {
        {{Chunk("0a1"), End()},
         "Server Decode Error: ZOLApp.GetFile decode failed 5. Contact technical support"},
        {{Chunk("0a1G")},
         "Server Decode Error: ZOLApp.GetFile decode failed 5. Contact technical support"},
        {{Chunk("0a"), {1, ""}}, "Server Timeout: ZOLApp.GetFile timeout 1"},
        {{Chunk("0a"), {0, "garbage"}},
         "Server Decode Error: ZOLApp.GetFile decode failed 1. Contact technical support"},
        {{{0, Frame({"-1", "ZOLApp", "GetFile"})}},
         "Server reported a lookup or command error when processing ZOLApp.GetFile failed. "
         "Error. Try disconnecting and reconnecting"},
    };
    for (const auto& [replies, message] : cases) {
        reporter_.messages.clear();
        EXPECT_NE(Fetch(replies), 0) << message;
        EXPECT_EQ(present_, 0) << message;
        EXPECT_EQ(reporter_.messages, std::vector<std::string>{message});
        EXPECT_EQ(Slurp(local_), "good");
        EXPECT_EQ(FilesInDir(), 1u);
    }
}

TEST_F(ServerFileTest, AFileThatCannotBeCreatedIsAFailure) {
    local_ = dir_ / "no such folder" / "pic.png";
    EXPECT_NE(Fetch({Chunk("0a")}), 0);
    EXPECT_EQ(present_, 0);
    EXPECT_EQ(reporter_.messages.size(), 1u);
}

TEST_F(ServerFileTest, EndlessChunksStopAtTheLimit) {
    ScriptedChannel channel([](const ReplyFields&) { return Chunk(""); });
    int present = 1;
    EXPECT_EQ(FetchServerFile(channel, reporter_, "pic.png", local_, present), kLoadLimitReached);
    EXPECT_EQ(present, 0);
    EXPECT_EQ(reporter_.messages,
              std::vector<std::string>{"ZOLApp.GetFile stopped at the limit of " +
                                       std::to_string(kMaxFileChunks) + " chunks"});
    EXPECT_FALSE(fs::exists(local_));
}

TEST_F(ServerFileTest, LocatesServerNamesUnderTheWorkingFolder) {
    const fs::path located = LocateServerFile("pictures\\kitchen.png", dir_);
    EXPECT_EQ(located, dir_ / "pictures" / "kitchen.png");
    EXPECT_TRUE(fs::exists(located));
    EXPECT_EQ(LocateServerFile("..\\..\\escape.png", dir_), dir_ / "escape.png");
}

}  // namespace
}  // namespace zol
