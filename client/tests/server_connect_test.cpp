#include "client/toolwindows/server_connect.h"

#include <QPointer>

#include <gtest/gtest.h>

#include "started_client.h"

namespace zol {
namespace {

TEST(ServerConnectTest, FailureTextFillsThreeLinesAndInformationLinesTheirOwn) {
    CServerConnect dialog({});
    dialog.ReportText(0, "one\ntwo\nthree\nfour");
    EXPECT_EQ(dialog.MessageLine(1), QStringLiteral("one"));
    EXPECT_EQ(dialog.MessageLine(2), QStringLiteral("two"));
    EXPECT_EQ(dialog.MessageLine(3), QStringLiteral("three\nfour"));
    dialog.ReportText(0, "single");
    EXPECT_EQ(dialog.MessageLine(1), QStringLiteral("single"));
    EXPECT_EQ(dialog.MessageLine(2), QString());
    EXPECT_EQ(dialog.MessageLine(3), QString());
    dialog.ReportText(5, "Server Sunset Time: 19:14:00");
    EXPECT_EQ(dialog.MessageLine(5), QStringLiteral("Server Sunset Time: 19:14:00"));
    dialog.ReportText(9, "ignored");

    dialog.ReportStage(4, StageState::Skipped);
    dialog.ReportStage(9, StageState::Failed);  // no such stage
    EXPECT_EQ(dialog.StateOf(4), StageState::Skipped);
    EXPECT_EQ(dialog.StateOf(5), StageState::NotBegun);
    EXPECT_FALSE(dialog.AutoCloseRunning());  // AutoCloseConnectDialog off
}

TEST(ServerConnectTest, HeaderNamesWhereTheClientConnects) {
    EXPECT_EQ(CServerConnect::HeaderFor(true, "", 0, 2000),
              QStringLiteral("Connecting to server via ZOL Cloud"));
    EXPECT_EQ(CServerConnect::HeaderFor(false, "zol.home", 0xC0A80114, 2000),
              QStringLiteral("Connecting to server at zol.home (192.168.1.20) port 2000"));
    EXPECT_EQ(CServerConnect::HeaderFor(false, "", 0x7F000001, 2001),
              QStringLiteral("Connecting to server at 127.0.0.1 port 2001"));
}

TEST(ServerConnectTest, ClosesItselfAfterTheLastTextOnlyWithAPositiveTime) {
    CServerConnect never({true, 0, 96});
    never.ReportText(1, "Connected");
    EXPECT_FALSE(never.AutoCloseRunning());

    QPointer<CServerConnect> dialog = new CServerConnect({true, 1, 96});
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    dialog->ReportText(1, "Connected");
    EXPECT_TRUE(dialog->AutoCloseRunning());
    EXPECT_TRUE(testing::StartedClient::RunUntil([&] { return dialog.isNull(); }));
}

}  // namespace
}  // namespace zol
