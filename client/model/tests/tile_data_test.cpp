// What the information tiles read from the server, without a window: power
// graphs and their axis, alert reports.
#include <gtest/gtest.h>

#include <limits>

#include "client/model/alert_report.h"
#include "client/model/design.h"
#include "client/model/power_graph.h"
#include "model_fakes.h"
#include "scripted_channel.h"

namespace zol {
namespace {

using testing::FakeReporter;
using testing::Frame;
using testing::ScriptedChannel;
using testing::ScriptedReply;

TEST(PowerGraphTest, AxisMaximumRoundsUpSafely) {
    EXPECT_EQ(AxisMaximum(0), 10);
    EXPECT_EQ(AxisMaximum(7), 10);
    EXPECT_EQ(AxisMaximum(-5), 10);
    EXPECT_EQ(AxisMaximum(250), 300);
    EXPECT_EQ(AxisMaximum(1000), 1000);
    EXPECT_EQ(AxisMaximum(1001), 2000);
    EXPECT_EQ(AxisMaximum(2'000'000'000), 2'000'000'000);
    EXPECT_EQ(AxisMaximum(2'000'000'001), 2'000'100'000);
    EXPECT_GT(AxisMaximum(std::numeric_limits<std::int64_t>::max() / 2), 0);
    EXPECT_EQ(SegmentPercent(25, 100), 25);
    EXPECT_EQ(SegmentPercent(25, 0), 0);
}

GraphBar Bar(const std::vector<std::string>& fields, const Design& design) {
    ReplyFields bar;
    EXPECT_EQ(bar.Decode(Frame(fields)), 0);
    return ReadGraphBar(bar, design);
}

TEST(PowerGraphTest, BarsReadOnlyTheSegmentsTheyHold) {
    Design design;
    EXPECT_TRUE(Bar({}, design).segments.empty());
    EXPECT_TRUE(Bar({"Kitchen", "40"}, design).segments.empty());
    const GraphBar single = Bar({"Oven", "5", "30", "255", "0", "300"}, design);
    EXPECT_FALSE(single.stacked);
    ASSERT_EQ(single.segments.size(), 1u);
    EXPECT_EQ(single.value, 30);
    EXPECT_EQ(single.segments[0].color, 0xFF00FFu);  // blue clamped to 255
    EXPECT_EQ(Bar({"K", "40", "5", "30", "1", "2", "3"}, design).segments.size(), 1u);
    const GraphBar two =
        Bar({"K", "40", "5", "30", "1", "2", "3", "6", "10", "4", "5", "6"}, design);
    ASSERT_EQ(two.segments.size(), 2u);
    EXPECT_EQ(two.segments[1].objectId, 6);
}

TEST(PowerGraphTest, OnlyTheBarsThatCameAreRead) {
    Design design;
    FakeReporter reporter;
    ScriptedChannel channel([](const ReplyFields&) {
        // Says nine bars, sends two, the second not a field list.
        return ScriptedReply{0, Frame({"0", "ZOLApp", "GetDisplayGraph", "T", "9", "0",
                                       Frame({"A", "1", "5", "1", "2", "3"}), "garbage"})};
    });
    PowerGraph graph;
    EXPECT_NE(ReadPowerGraph(channel, reporter, "Power", design, true, graph), 0);
    EXPECT_EQ(graph.bars.size(), 1u);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].rfind("Server Decode Error: ZOLApp.GetDisplayGraph", 0), 0u);
}

TEST(AlertReportTest, NewestFirstThenUntimedAndAFailedReadChangesNothing) {
    bool fail = false;
    ScriptedChannel channel([&fail](const ReplyFields& request) {
        if (fail)
            return ScriptedReply{1, ""};
        if (request.Text(2) == "GetServerStatus")
            return ScriptedReply{0, Frame({"0", "ZOLApp", "GetServerStatus", "1", "2", "1"})};
        return ScriptedReply{
            0, Frame({"0", "ZOLApp", "GetAlertReport", "3", "1", Frame({"old", "20240101000000"}),
                      Frame({"none", ""}), Frame({"new", "20240301000000"})})};
    });
    AlertReport report;
    std::string failure;
    ASSERT_EQ(ReadAlertReport(channel, report, failure), 0);
    ASSERT_EQ(report.entries.size(), 3u);
    EXPECT_EQ(report.entries[0].message, "new");
    EXPECT_EQ(report.entries[1].message, "old");
    EXPECT_EQ(report.entries[2].message, "none");
    EXPECT_EQ(report.alertSeverity, AlertYellow);
    EXPECT_EQ(DesignInspectorText(report.redCount, report.yellowCount),
              "Design Inspector: 2 red messages and 1 yellow message");

    fail = true;
    const AlertReport before = report;
    EXPECT_EQ(ReadAlertReport(channel, report, failure), 1);
    EXPECT_EQ(failure, "ZOLApp.GetAlertReport timeout. Error = 1");
    EXPECT_EQ(report, before);
}

}  // namespace
}  // namespace zol
