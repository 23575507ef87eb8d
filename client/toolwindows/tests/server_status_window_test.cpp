// The server status window: both statuses shown from their replies, names
// from the design, and the column widths kept in the settings.
#include "client/toolwindows/server_status_window.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

#include "client/core/client_settings.h"
#include "client/model/tests/scripted_channel.h"

namespace zol {
namespace {

using testing::Frame;
using testing::ScriptedChannel;
using testing::ScriptedReply;

TEST(ServerStatusWindowTest, ShowsBothStatusesAndKeepsColumnWidths) {
    ScriptedChannel channel([](const ReplyFields& r) {
        if (r.Text(2) == "GetServerStatus") {
            return ScriptedReply{
                0, Frame({"0", "ZOLApp", "GetServerStatus", "2", "1", "3", "1", "7", "0",
                          "20240315093000", "20240314080000", "20240315065200", "20240315191400"})};
        }
        return ScriptedReply{
            0, Frame({"0", "ZOLApp", "GetExtServerStatus", "1", "20240315093000", "20240314080000",
                      "20240315065200", "1 day 01:30", "2024-03-01", "2024-03-15", "Energy",
                      "---Monday", "Heating,12 kWh"})};
    });
    ClientSettings settings;
    settings.serverStatusColWidthId = 57;
    settings.serverStatusColWidthTime = 127;
    settings.serverStatusColWidthText = 327;
    Design design;
    design.homeModeCount = 2;
    design.homeModeNames[0] = "Home";
    design.homeModeNames[1] = "Away";
    design.scheduleCount = 1;
    design.scheduleNumbers[0] = 7;
    design.scheduleNames[0] = "Weekday";
    CServerStatusWindow window(channel, settings, 96);
    EXPECT_EQ(CServerStatusWindow::OpenWindow(), &window);
    EXPECT_EQ(window.StateText(), QStringLiteral("Unknown"));
    window.SetDesign(&design);
    window.Refresh();

    EXPECT_EQ(window.StateText(), QStringLiteral("Fault"));  // the server's 2
    EXPECT_EQ(window.FactText(QStringLiteral("Home mode")), QStringLiteral("Away"));
    EXPECT_EQ(window.FactText(QStringLiteral("Schedule")), QStringLiteral("Weekday"));
    EXPECT_EQ(window.FactText(QStringLiteral("Design inspector")),
              QStringLiteral("1 red, 3 yellow"));
    EXPECT_EQ(window.FactText(QStringLiteral("Up time")), QStringLiteral("1 day 01:30"));
    QTreeWidget* table = window.Table();
    ASSERT_EQ(table->topLevelItemCount(), 2);
    EXPECT_EQ(table->topLevelItem(0)->text(2), QStringLiteral("Monday"));
    EXPECT_EQ(table->topLevelItem(1)->text(2), QStringLiteral("Heating: 12 kWh"));
    EXPECT_TRUE(window.MessageText().isEmpty());

    table->setColumnWidth(2, 400);
    window.done(0);
    EXPECT_EQ(settings.serverStatusColWidthText, 400);
    EXPECT_EQ(settings.serverStatusColWidthId, 57);
}

TEST(ServerStatusWindowTest, AFailureIsNamedAndAnOldServerHasNoExtendedStatus) {
    ScriptedChannel channel([](const ReplyFields& r) {
        if (r.Text(2) == "GetServerStatus")
            return ScriptedReply{1, ""};
        return ScriptedReply{0, Frame({"-104", "ZOLApp", "GetExtServerStatus"})};
    });
    ClientSettings settings;
    CServerStatusWindow window(channel, settings, 96);
    window.Refresh();
    EXPECT_EQ(window.StateText(), QStringLiteral("Unknown"));
    EXPECT_EQ(window.MessageText(), QStringLiteral("ZOLApp.GetServerStatus timeout. Error = 1"));
    EXPECT_EQ(window.Table()->topLevelItemCount(), 0);
}

}  // namespace
}  // namespace zol
