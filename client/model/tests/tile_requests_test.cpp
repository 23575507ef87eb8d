// The requests tiles make: what they send, what they keep on failure.
#include "client/model/tile_requests.h"

#include <gtest/gtest.h>

#include "client/model/design_object.h"
#include "model_fakes.h"
#include "scripted_channel.h"

namespace zol {
namespace {

using testing::FakeReporter;
using testing::Frame;
using testing::ScriptedChannel;
using testing::ScriptedReply;

TEST(TileRequestsTest, FormattedTextOnSuccessAndQuietFailure) {
    ScriptedChannel channel([](const ReplyFields& request) {
        EXPECT_EQ(request.Text(3), "Now: %TIME%");
        return ScriptedReply{0, Frame({"0", "ZOLApp", "FormatText", "Now: 11:02"})};
    });
    FakeReporter reporter;
    std::string shown = "old";
    EXPECT_EQ(RequestFormattedText(channel, reporter, "Now: %TIME%", true, shown), 0);
    EXPECT_EQ(shown, "Now: 11:02");
    EXPECT_EQ(reporter.waitDepth, 0);

    ScriptedChannel silent([](const ReplyFields&) { return ScriptedReply{1, {}}; });
    shown = "kept";
    EXPECT_EQ(RequestFormattedText(silent, reporter, "%X%", false, shown), 1);
    EXPECT_EQ(shown, "kept");
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(RequestFormattedText(silent, reporter, "%X%", true, shown), 1);
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Server Timeout: ZOLApp.FormatText 1"});
}

TEST(TileRequestsTest, RecentlyUsedIdsChangeOnlyOnSuccess) {
    ScriptedChannel channel([](const ReplyFields& request) {
        EXPECT_EQ(request.Text(2), "GetDisplayMRU");
        if (request.Text(3) == "Recent")
            return ScriptedReply{0, Frame({"0", "ZOLApp", "GetDisplayMRU", "7", "1", "17"})};
        EXPECT_EQ(request.Count(), 6);
        EXPECT_EQ(request.Text(6), "4");
        return ScriptedReply{0, Frame({"-3", "ZOLApp", "GetDisplayMRU"})};
    });
    FakeReporter reporter;
    std::vector<std::int32_t> ids{1, 2};
    EXPECT_EQ(RequestDisplayMruByName(channel, reporter, "Recent", ids), 0);
    EXPECT_EQ(ids, (std::vector<std::int32_t>{7, 1, 17}));
    EXPECT_EQ(RequestDisplayMru(channel, reporter, {1, 2, 3, 4}, ids), -3);
    EXPECT_EQ(ids, (std::vector<std::int32_t>{7, 1, 17}));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].find("ZOLApp.GetDisplayMRU"), std::string::npos);
}

std::string Key(const char* name, const char* caption, const char* x) {
    return FieldList({name, caption, x, "2", "30", "20", "0"}).Message();
}

TEST(TileRequestsTest, InfraredKeysAreKeptNewestFirstAfterOneGoodRead) {
    int requests = 0;
    bool fail = true;
    ScriptedChannel channel([&](const ReplyFields& request) {
        ++requests;
        EXPECT_EQ(request.Text(2), "IRKeypad");
        EXPECT_EQ(request.Text(3), "Den - TV");
        if (fail)
            return ScriptedReply{0, Frame({"0", "ZOLApp", "IRKeypad", "not a list"})};
        const std::string keys =
            FieldList({Key("Power", "Pwr", "1"), Key("Mute", "Mute", "5")}).Message();
        return ScriptedReply{0, Frame({"0", "ZOLApp", "IRKeypad", keys})};
    });
    FakeReporter reporter;
    DesignObject tv;
    tv.location = "Den";
    tv.name = "TV";
    EXPECT_NE(LoadIrKeys(channel, reporter, tv), 0);
    EXPECT_FALSE(tv.irKeysRead);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].find("ZOLApp.IRKeypad"), std::string::npos);

    fail = false;
    EXPECT_EQ(LoadIrKeys(channel, reporter, tv), 0);
    EXPECT_TRUE(tv.irKeysRead);
    ASSERT_EQ(tv.irKeys.size(), 2u);
    EXPECT_EQ(tv.irKeys[0].keyName, "Mute");
    EXPECT_EQ(tv.irKeys[1].keyName, "Power");
    EXPECT_EQ(tv.irKeys[1].caption, "Pwr");
    EXPECT_EQ(tv.irKeys[1].width, 30);
    EXPECT_EQ(LoadIrKeys(channel, reporter, tv), 0);
    EXPECT_EQ(requests, 2);
}

}  // namespace
}  // namespace zol
