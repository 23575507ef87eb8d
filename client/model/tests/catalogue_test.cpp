// The load requests against scripted replies: request fields, special result
// codes, counts taken from the replies, and every failure text.
#include <gtest/gtest.h>

#include "client/model/load_limits.h"
#include "client/model/request_catalogue.h"
#include "client/model/server_error.h"
#include "model_fakes.h"
#include "scripted_channel.h"

namespace zol {
namespace {

using testing::Frame;
using testing::ScriptedChannel;
using testing::ScriptedReply;

// Objects of a "GetDesign" part: each entry is id, name and zero counts.
std::string DesignPart(std::initializer_list<const char*> ids) {
    std::vector<std::string> entries;
    for (const char* id : ids)
        entries.push_back(
            Frame({id, std::string("Object ") + id, "", "", "0", "0", "0", "0", "0"}));
    return Frame({"0", "ZOLApp", "GetDesign", Frame(entries)});
}

TEST(CatalogueTest, ServerErrorTexts) {
    const std::vector<std::pair<int, std::string>> expected = {
        {-1,
         "Server reported a lookup or command error when processing Op. Try disconnecting and "
         "reconnecting"},
        {-2, "Server reported that Op is not supported. Check the properties of that device"},
        {-3, "Server reported insufficient permissions for operation Op"},
        {-31, "Server reported insufficient permissions for operation Op"},
        {-32, "Server reported insufficient permissions for operation Op"},
        {-4,
         "Server reported the operation Op failed on that device due to it being suspended or "
         "disabled"},
        {-5, "Server reported that no interface is available to complete Op"},
        {-6, "Server reported that the operation Op failed on that device"},
        {-7, "Server Command Error: Op -7"},
        {12, "Server Command Error: Op 12"},
    };
    testing::FakeReporter reporter;
    for (const auto& [code, text] : expected)
        ReportServerError(reporter, code, "Op");
    ASSERT_EQ(reporter.messages.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(reporter.messages[i], expected[i].second);
    EXPECT_EQ(ServerTimeoutText("ZOLApp.GetFile timeout", 1),
              "Server Timeout: ZOLApp.GetFile timeout 1");
    EXPECT_EQ(ServerDecodeErrorText("ZOLApp.GetFile decode failed", 3),
              "Server Decode Error: ZOLApp.GetFile decode failed 3. Contact technical support");
}

TEST(CatalogueTest, DesignPartsUntilANonZeroResultThenTitleAndToken) {
    ScriptedChannel channel([](const ReplyFields& request) -> ScriptedReply {
        if (request.Text(2) == "GetDesign") {
            if (request.Text(3) == "0")
                return {0, DesignPart({"1", "2"})};
            if (request.Text(3) == "1")
                return {0, DesignPart({"3"})};
            return {0, Frame({"1", "ZOLApp", "GetDesign"})};
        }
        if (request.Text(2) == "ZOL.GetDesignTitle")
            return {0, Frame({"0", "ZOLObject", "ZOL.GetDesignTitle", "Demo"})};
        return {0, Frame({"0", "ZOLApp", "GetCloudToken", ""})};  // an empty token
    });
    Design design;
    std::string token = "kept";
    std::string failure;
    EXPECT_EQ(LoadDesign(channel, 19, design, token, failure), 0);
    ASSERT_EQ(design.objects.size(), 3u);
    EXPECT_EQ(design.objects[2]->name, "Object 3");
    EXPECT_EQ(design.designTitle, "Demo");
    EXPECT_EQ(token, "kept");
    EXPECT_EQ(channel.Methods(), (std::vector<std::string>{"GetDesign", "GetDesign", "GetDesign",
                                                           "ZOL.GetDesignTitle", "GetCloudToken"}));
    EXPECT_EQ(channel.requests[1].Text(1), "ZOLApp");
    EXPECT_EQ(channel.requests[3].Text(1), "ZOLObject");
}

TEST(CatalogueTest, DesignFailuresKeepWhatWasDecoded) {
    std::string failure;
    std::string token;
    {
        // Part 0 ends the design at once: no objects, title and token still asked.
        ScriptedChannel channel([](const ReplyFields& request) -> ScriptedReply {
            if (request.Text(2) == "GetDesign")
                return {0, Frame({"1", "ZOLApp", "GetDesign"})};
            return {0, Frame({"0", "ZOLApp", request.Text(2), "new-token"})};
        });
        Design design;
        EXPECT_EQ(LoadDesign(channel, 19, design, token, failure), 0);
        EXPECT_TRUE(design.objects.empty());
        EXPECT_EQ(channel.requests.size(), 3u);
        EXPECT_EQ(token, "new-token");
    }
    {
        ScriptedChannel channel([](const ReplyFields& request) -> ScriptedReply {
            if (request.Text(3) == "0")
                return {0, DesignPart({"1"})};
            return {0, Frame({"0", "ZOLApp", "GetDesign", "not a list"})};
        });
        Design design;
        EXPECT_EQ(LoadDesign(channel, 19, design, token, failure), 1);
        EXPECT_EQ(failure, "ZOLApp.GetDesign decode failed. Error = 1");
        EXPECT_EQ(design.objects.size(), 1u);
    }
    {
        ScriptedChannel channel([](const ReplyFields& request) -> ScriptedReply {
            if (request.Text(2) == "GetDesign")
                return {0, Frame({"1", "ZOLApp", "GetDesign"})};
            return {1, ""};
        });
        Design design;
        EXPECT_EQ(LoadDesign(channel, 19, design, token, failure), 1);
        EXPECT_EQ(failure, "ZOL.GetDesignTitle timeout. Error = 1");
    }
    {
        // A server that never says "no more" is stopped by the part limit.
        ScriptedChannel channel([](const ReplyFields&) -> ScriptedReply {
            return {0, DesignPart({})};
        });
        Design design;
        EXPECT_EQ(LoadDesign(channel, 19, design, token, failure), kLoadLimitReached);
        EXPECT_EQ(failure, "ZOLApp.GetDesign stopped at the limit of " +
                               std::to_string(kMaxDesignParts) + " parts");
        EXPECT_EQ(channel.requests.size(), static_cast<std::size_t>(kMaxDesignParts));
    }
}

TEST(CatalogueTest, ReferenceDpiAndTimeStamp) {
    auto dpiFrom = [](std::string frame, std::string& failure) {
        ScriptedChannel channel([&frame](const ReplyFields&) { return ScriptedReply{0, frame}; });
        std::int32_t dpi = -1;
        const int result = RequestReferenceDpi(channel, dpi, failure);
        return std::make_pair(result, dpi);
    };
    std::string failure;
    EXPECT_EQ(dpiFrom(Frame({"-104", "ZOLApp", "GetReferenceDPI"}), failure),
              std::make_pair(0, 96));
    EXPECT_EQ(dpiFrom(Frame({"0", "ZOLApp", "GetReferenceDPI", "120"}), failure),
              std::make_pair(0, 120));
    EXPECT_EQ(dpiFrom(Frame({"0", "ZOLApp", "GetReferenceDPI", "0"}), failure),
              std::make_pair(0, 96));
    EXPECT_EQ(dpiFrom(Frame({"0", "ZOLApp", "GetReferenceDPI", "-3"}), failure),
              std::make_pair(0, 96));
    EXPECT_EQ(dpiFrom(Frame({"-1", "ZOLApp", "GetReferenceDPI"}), failure).first, -1);
    EXPECT_EQ(failure, "ZOLApp.GetReferenceDPI failed. Error = -1");

    ScriptedChannel channel([](const ReplyFields&) {
        return ScriptedReply{0,
                             Frame({"0", "ZOLApp", "TimeStamp", "Demo House", "20240315093000"})};
    });
    std::string name;
    std::string time;
    EXPECT_EQ(RequestTimeStamp(channel, name, time, failure), 0);
    EXPECT_EQ(name, "Demo House");
    EXPECT_EQ(time, "20240315093000");
}

TEST(CatalogueTest, HomeModeAndScheduleCountsFollowTheReply) {
    std::string schedules =
        Frame({"0", "ZOLApp", "GetScheduleNames", "1", "Weekday", "5", "Weekend", "7", "Holiday",
               "9", "Night", "11"});  // 11 fields, one odd
    std::string modes =
        Frame({"0", "ZOLApp", "GetHomeModeNames", "Home", "Away", "Night", "Vacation", "Party"});
    ScriptedChannel channel([&](const ReplyFields& request) {
        return ScriptedReply{0, request.Text(2) == "GetHomeModeNames" ? modes : schedules};
    });
    Design design;
    design.scheduleNames[3] = "stale";
    std::string failure;
    EXPECT_EQ(LoadModeAndScheduleNames(channel, design, failure), 0);
    EXPECT_EQ(design.homeModeCount, 5);
    EXPECT_EQ(design.homeModeNames[3], "Vacation");
    EXPECT_EQ(design.scheduleCount, 4);
    EXPECT_EQ(design.scheduleNumbers[3], 9);
    EXPECT_EQ(design.scheduleNames[3], "Night");

    // Fewer than the three header fields, and a two-field schedule reply.
    modes = Frame({"0"});
    schedules = Frame({"0", "ZOLApp", "GetScheduleNames", "1", "Weekday"});
    EXPECT_EQ(LoadModeAndScheduleNames(channel, design, failure), 0);
    EXPECT_EQ(design.homeModeCount, 0);
    EXPECT_EQ(design.homeModeNames[0], "");
    EXPECT_EQ(design.scheduleCount, 1);
    EXPECT_EQ(design.scheduleNames[3], "");

    schedules = "no field list";
    EXPECT_EQ(LoadModeAndScheduleNames(channel, design, failure), 1);
    EXPECT_EQ(failure, "ZOLApp.GetScheduleNames decode failed. Error = 1");
    modes = Frame({"-3", "ZOLApp", "GetHomeModeNames"});
    EXPECT_EQ(LoadModeAndScheduleNames(channel, design, failure), -3);
    EXPECT_EQ(failure, "ZOLApp.GetHomeModeNames failed. Error = -3");
}

TEST(CatalogueTest, ServerStatusThenClientOptions) {
    std::string options = Frame({"0", "ZOLApp", "SetClientOptions"});
    ScriptedChannel channel([&](const ReplyFields& request) {
        if (request.Text(2) == "GetServerStatus") {
            return ScriptedReply{
                0, Frame({"0", "ZOLApp", "GetServerStatus", "2", "5", "6", "7", "8", "9",
                          "20240315093000", "20240301000000", "20240315065200", "bad"})};
        }
        return ScriptedReply{0, options};
    });
    ServerStatus status;
    std::string failure;
    EXPECT_EQ(RequestServerStatus(channel, "Panel 1", status, failure), 0);
    EXPECT_EQ(status.state, 3);
    EXPECT_EQ(status.numbers[4], 9);
    EXPECT_EQ(status.snapshot.serverTime.hour, 9);
    EXPECT_TRUE(status.snapshot.sunrise.valid);
    EXPECT_FALSE(status.snapshot.sunset.valid);
    const ReplyFields& announce = channel.requests[1];
    EXPECT_EQ(announce.Count(), 4);
    EXPECT_EQ(announce.Text(3), "262205");
    EXPECT_EQ(announce.Text(4), "Panel 1");

    options = Frame({"-3", "ZOLApp", "SetClientOptions"});
    EXPECT_EQ(RequestServerStatus(channel, "", status, failure), -3);
    EXPECT_EQ(failure, "ZOLApp.SetClientOptions failed. Error = -3");
}

}  // namespace
}  // namespace zol
