// The server log window against zolsim's log, and against servers that
// answer with garbage or do not know the requests.
#include "client/toolwindows/server_log_window.h"

#include <arpa/inet.h>
#include <QComboBox>
#include <QCoreApplication>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "client/core/app_messages.h"
#include "client/core/client_settings.h"
#include "client/model/tests/scripted_channel.h"
#include "serverlink/connect_handshake.h"
#include "testsupport/child_process.h"
#include "testsupport/zolsim_control.h"

namespace zol {
namespace {

using namespace std::chrono_literals;
using testing::Frame;
using testing::ScriptedChannel;
using testing::ScriptedReply;

TEST(ServerLogWindowTest, ShowsZolsimsLogNewestFirstWithItsFilters) {
    testing::BackgroundProcess sim;
    ASSERT_TRUE(sim.Start({ZOLSIM_PATH, "--port", "0", "--control-port", "0"}, 2, 60s));
    const int control = testing::PortFromLine(sim.FirstLines()[1]);
    for (const char* line : {"Motion in the garden", "Door bell", "Mail arrived"}) {
        ASSERT_NE(
            testing::SendControlLine(control, std::string("push all 0|ZOLApp|LogAdd|3|") + line)
                .find("OK"),
            std::string::npos);
    }
    LinkTimeouts timeouts;
    ServerLink link(timeouts);
    ServerLinkChannel channel(link);
    ServerTarget target;
    target.address = htonl(INADDR_LOOPBACK);
    target.port = static_cast<std::uint16_t>(testing::PortFromLine(sim.FirstLines()[0]));
    std::string failure;
    ASSERT_EQ(ConnectToServer(link, target, "log-test", failure), 0) << failure;

    ClientSettings settings;
    settings.logViewFilter[1] = "Messages";
    CServerLogWindow window(channel, settings, 1, 96);
    window.Load();
    ASSERT_EQ(window.FilterBox()->count(), 4);
    EXPECT_EQ(window.FilterBox()->currentText(), QStringLiteral("Messages"));
    QTreeWidget* table = window.Table();
    ASSERT_EQ(table->topLevelItemCount(), 3);
    EXPECT_EQ(table->topLevelItem(0)->text(3), QStringLiteral("Mail arrived"));
    EXPECT_EQ(table->topLevelItem(2)->text(3), QStringLiteral("Motion in the garden"));
    EXPECT_EQ(table->topLevelItem(0)->text(2), QStringLiteral("Messages"));
    EXPECT_TRUE(window.MessageText().isEmpty());

    // A line announced while the window is open goes on top.
    PostAppMessage(&window, AppMessage::LogAdd, 3, 0, std::make_unique<TextPayload>("Gate open"));
    QCoreApplication::sendPostedEvents(&window);
    ASSERT_EQ(table->topLevelItemCount(), 4);
    EXPECT_EQ(table->topLevelItem(0)->text(3), QStringLiteral("Gate open"));

    // Another filter asks again; nothing of kind 1 was logged.
    window.FilterBox()->setCurrentIndex(window.FilterBox()->findText(QStringLiteral("Commands")));
    EXPECT_EQ(table->topLevelItemCount(), 0);
    EXPECT_EQ(window.MessageText(), QStringLiteral("The log is empty."));
    window.done(0);
    EXPECT_EQ(settings.logViewFilter[1], "Commands");
    link.CloseServerConnection();
}

TEST(ServerLogWindowTest, UnreadableOrUnknownAnswersLeaveAnEmptyLogAndSaySo) {
    struct Case {
        const char* name;
        std::function<ScriptedReply(const ReplyFields&)> answer;
        const char* line;
    };
    const std::string entries = Frame({Frame({"1", "20240315093000", "3", "kept"})});
    const Case cases[] = {
        {"unknown requests",
         [](const ReplyFields& r) {
             return ScriptedReply{0, Frame({"-104", "ZOLApp", r.Text(2)})};
         },
         "This server keeps no log."},
        {"garbage filters",
         [](const ReplyFields&) {
             return ScriptedReply{0, "garbage"};
         },
         "The server log could not be read"},
        {"garbage entries",
         [&](const ReplyFields& r) {
             if (r.Text(2) == "GetLogFilters")
                 return ScriptedReply{0, Frame({"0", "ZOLApp", "GetLogFilters", "0", "All"})};
             return ScriptedReply{0, Frame({"0", "ZOLApp", "GetLog", "0", "1", "12  zz"})};
         },
         "The server log could not be read"},
        {"no reply",
         [](const ReplyFields&) {
             return ScriptedReply{1, ""};
         },
         "The server log could not be read"},
        {"a log refused half way",
         [&](const ReplyFields& r) {
             if (r.Text(2) == "GetLogFilters")
                 return ScriptedReply{0, Frame({"0", "ZOLApp", "GetLogFilters", "0", "All"})};
             if (r.Text(3) == "0" && r.Text(4) == "0")
                 return ScriptedReply{0, Frame({"0", "ZOLApp", "GetLog", "0", "2", entries})};
             return ScriptedReply{0, Frame({"-6", "ZOLApp", "GetLog"})};
         },
         "The server log could not be read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedChannel channel(c.answer);
        ClientSettings settings;
        CServerLogWindow window(channel, settings, 7, 96);  // no such kind: view 0
        window.Load();
        EXPECT_EQ(window.Kind(), 0);
        EXPECT_EQ(window.Table()->topLevelItemCount(), 0);
        EXPECT_TRUE(window.MessageText().startsWith(QString::fromLatin1(c.line)))
            << window.MessageText().toStdString();
        EXPECT_LE(channel.requests.size(), 3u);
    }
}

TEST(ServerLogWindowTest, AServerThatNeverMovesOnIsAskedOnce) {
    const std::string entry = Frame({"5", "20240315093000", "1", "again"});
    ScriptedChannel channel([&](const ReplyFields& r) {
        if (r.Text(2) == "GetLogFilters")
            return ScriptedReply{0, Frame({"0", "ZOLApp", "GetLogFilters"})};
        return ScriptedReply{0, Frame({"0", "ZOLApp", "GetLog", "0", "0", entry})};
    });
    ClientSettings settings;
    CServerLogWindow window(channel, settings, 0, 96);
    window.Load();
    EXPECT_EQ(window.FilterBox()->currentText(), QStringLiteral("All"));
    EXPECT_EQ(window.Table()->topLevelItemCount(), 1);
    EXPECT_EQ(channel.requests.size(), 2u);
}

}  // namespace
}  // namespace zol
