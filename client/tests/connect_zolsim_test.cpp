// The client against zolsim as a child process on loopback: the staged
// connect with its reports, the main frame's connect and load, a dropped
// connection leading to a reconnect, missed pings, a refused version, and
// the way through zolsim's relay.
#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>

#include <chrono>
#include <regex>
#include <thread>

#include "client/core/connect_sequence.h"
#include "client/core/main_frame.h"
#include "client/core/zol_client_doc.h"
#include "client/display/zol_client_view.h"
#include "client/launch/start_connect.h"
#include "client/model/design.h"
#include "client/model/request_channel.h"
#include "client/model/tests/model_fakes.h"
#include "client/toolwindows/password_dialog.h"
#include "client/toolwindows/remote_access_viewer.h"
#include "client/toolwindows/server_connect.h"
#include "serverlink/field_list.h"
#include "serverlink/server_link.h"
#include "started_client.h"
#include "testsupport/child_process.h"
#include "testsupport/modal_closer.h"
#include "testsupport/zolsim_control.h"

namespace zol {
namespace {

using namespace std::chrono_literals;
using testing::StartedClient;

class Zolsim {
  public:
    explicit Zolsim(std::vector<std::string> options = {}, int lines = 2) {
        std::vector<std::string> argv = {ZOLSIM_PATH, "--port", "0", "--design", DEMO_DESIGN_PATH};
        argv.insert(argv.end(), options.begin(), options.end());
        started = process_.Start(argv, lines, 60s);
    }
    int Port() const { return testing::PortFromLine(process_.FirstLines().at(0)); }
    std::string Control(const std::string& line) const {
        return testing::SendControlLine(testing::PortFromLine(process_.FirstLines().at(1)), line);
    }
    const std::vector<std::string>& Lines() const { return process_.FirstLines(); }
    QStringList Switches() const {
        return {QStringLiteral("/ZOLServer:127.0.0.1"), QStringLiteral("/Port:%1").arg(Port())};
    }
    bool started = false;

  private:
    testing::BackgroundProcess process_;
};

// What the sequence reported, in order: "3:2" is stage 3 succeeded, "L1 text" a line.
class RecordingProgress : public ConnectProgress {
  public:
    void ReportStage(int stage, StageState state) override {
        reports.push_back(std::to_string(stage) + ":" + std::to_string(static_cast<int>(state)));
    }
    void ReportText(int line, const std::string& text) override {
        reports.push_back("L" + std::to_string(line) + " " + text);
    }
    std::vector<std::string> Stages() const {
        std::vector<std::string> out;
        for (const auto& r : reports)
            if (r[0] != 'L')
                out.push_back(r);
        return out;
    }
    std::vector<std::string> reports;
};

// The staged sequence on its own link, without windows.
class SequenceTest : public ::testing::Test {
  protected:
    ConnectOutcome Run(const Zolsim& sim, std::string password = {},
                       std::function<bool(std::string&)> prompt = {}) {
        progress_.reports.clear();
        ConnectSequenceContext c(link_, channel_, reporter_, hints_, progress_, design_,
                                 OwnGreetingNumbers(ClientProgram::Gui));
        c.clientName = "sequence test";
        c.tempDir = dir_.Path();
        c.promptPassword = std::move(prompt);
        c.formatDateTime = [](const FieldDateTimeValue&, bool) { return std::string("t"); };
        ServerTarget target;
        target.address = htonl(INADDR_LOOPBACK);
        target.port = static_cast<std::uint16_t>(sim.Port());
        std::string token;
        return ConnectSequence(std::move(c)).Run(target, "", password, token);
    }

    class NoHints : public HintAlertReporter {
        int ShowAlertWithHint(AlertKind, std::string_view, std::string_view, bool&) override {
            return 1;
        }
    };

    testing::TempDir dir_;
    LinkTimeouts timeouts_;
    ServerLink link_{timeouts_};
    ServerLinkChannel channel_{link_};
    testing::FakeReporter reporter_;
    NoHints hints_;
    RecordingProgress progress_;
    Design design_;
};

std::vector<std::string> StagesWith(const std::vector<int>& skipped) {
    std::vector<std::string> out;
    for (int stage = 0; stage < 8; ++stage) {
        const bool skip = std::find(skipped.begin(), skipped.end(), stage) != skipped.end();
        if (skip) {
            out.push_back(std::to_string(stage) + ":4");
            continue;
        }
        out.push_back(std::to_string(stage) + ":3");
        out.push_back(std::to_string(stage) + ":2");
    }
    return out;
}

TEST_F(SequenceTest, FirstConnectLoadsAndAReconnectToTheSameDesignSkipsTheLoad) {
    Zolsim sim;
    ASSERT_TRUE(sim.started);
    ConnectOutcome first = Run(sim);
    ASSERT_EQ(first.result, 0) << ::testing::PrintToString(progress_.reports);
    EXPECT_EQ(progress_.Stages(), StagesWith({}));
    ASSERT_GE(progress_.reports.size(), 5u);
    EXPECT_EQ(progress_.reports[progress_.reports.size() - 5].rfind(
                  "L1 Connected to ZOL Server version 19.1.3. Client number ", 0),
              0u);
    EXPECT_EQ(progress_.reports.back(), "L5 Server Sunset Time: t");
    EXPECT_NE(design_.HomeDisplay(), nullptr);
    EXPECT_FALSE(design_.objects.empty());

    // The frame records the design's name and stamp after a connect.
    design_.loadedDesignName = "Demo House";
    design_.loadedDesignTime = "20240315093000";
    const std::size_t objects = design_.objects.size();
    link_.CloseServerConnection();
    ConnectOutcome again = Run(sim);
    ASSERT_EQ(again.result, 0);
    // Stage 3 began (reference DPI and time stamp), then 3 to 6 were skipped.
    std::vector<std::string> expected = StagesWith({3, 4, 5, 6});
    expected.insert(expected.begin() + 6, "3:3");
    EXPECT_EQ(progress_.Stages(), expected);
    EXPECT_FALSE(again.designChanged);
    EXPECT_EQ(design_.objects.size(), objects);

    sim.Control("design stamp 20250101000000");
    EXPECT_TRUE(Run(sim).designChanged);
    link_.CloseServerConnection();
}

TEST_F(SequenceTest, AWrongPasswordPromptsAgainAndCancelFails) {
    Zolsim sim({"--password", "secret"});
    ASSERT_TRUE(sim.started);
    int prompts = 0;
    ConnectOutcome ok = Run(sim, "wrong", [&](std::string& entered) {
        ++prompts;
        entered = "secret";
        return true;
    });
    EXPECT_EQ(ok.result, 0);
    EXPECT_EQ(prompts, 1);

    ConnectOutcome cancelled = Run(sim, "", [](std::string&) { return false; });
    EXPECT_EQ(cancelled.result, -1);
    EXPECT_EQ(progress_.Stages().back(), "2:1");
    EXPECT_EQ(progress_.reports.back(), "L0 Can't connect without correct password");
}

TEST_F(SequenceTest, RefusedVersionAndUnresolvableNameFailTheirStage) {
    Zolsim sim({"--server-version", "13.0.5"});
    ASSERT_TRUE(sim.started);
    ConnectOutcome refused = Run(sim);
    EXPECT_EQ(refused.result, -1);
    EXPECT_TRUE(refused.versionRefused);
    EXPECT_EQ(progress_.Stages().back(), "1:1");
    EXPECT_EQ(progress_.reports.back(), "L0 Client version 16.0.17 doesn't support server 13.0.5");

    ConnectSequenceContext c(link_, channel_, reporter_, hints_, progress_, design_, {});
    std::string password;
    std::string token;
    progress_.reports.clear();
    EXPECT_EQ(
        ConnectSequence(std::move(c)).Run(std::nullopt, "no.such.host", password, token).result,
        -1);
    EXPECT_EQ(progress_.reports,
              (std::vector<std::string>{"0:1", "L0 Can't resolve \"no.such.host\""}));
}

// The whole client: connect and load shows the home display and starts the
// watch; a connection zolsim drops is reconnected by the watch and the home
// display is shown again.
TEST(ClientConnectTest, ConnectsShowsHomeAndReconnectsAfterADrop) {
    Zolsim sim;
    ASSERT_TRUE(sim.started);
    testing::TempDir dir;
    StartedClient client(dir, testing::DwordLine("AutoReconnectTime", 1), sim.Switches());
    CMainFrame* frame = client.app->MainFrame();
    ASSERT_EQ(frame->ConnectAndLoad(kConnectModeUser), 0);
    const DisplayRecord* home = client.app->Document()->GetDesign().HomeDisplay();
    ASSERT_NE(home, nullptr);
    const std::int32_t homeId = home->displayId;
    EXPECT_EQ(frame->View()->CurrentDisplayId(), homeId);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("ZOL Client"));
    EXPECT_TRUE(frame->WatchRunning());
    EXPECT_EQ(client.app->Document()->GetDesign().loadedDesignName, "Demo House");

    // A reconnect command while connected changes nothing.
    PostAppMessage(frame, AppMessage::UiCommand, 2, 0);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(frame->ConnectsFinished(), 1);

    // A push of the live connection reaches the design.
    sim.Control("push all 0|ZOLApp|ServerStatus|2|1|2|0|0|0");
    ASSERT_TRUE(StartedClient::RunUntil([&] { return frame->ServerStatusKind() == 3; }));

    sim.Control("drop all");
    ASSERT_TRUE(StartedClient::RunUntil([&] { return frame->ConnectsFinished() == 2; }));
    EXPECT_TRUE(client.app->Link().IsConnected());
    EXPECT_EQ(frame->View()->CurrentDisplayId(), homeId);
    frame->close();
}

// Answers every password prompt that comes up with `password`.
class PasswordPromptAnswer {
  public:
    explicit PasswordPromptAnswer(QString password) : password_(std::move(password)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* prompt = qobject_cast<CPassword*>(QApplication::activeModalWidget())) {
                ++prompts;
                prompt->Field()->setText(password_);
                prompt->accept();
            }
        });
        timer_.start(20);
    }
    int prompts = 0;

  private:
    QString password_;
    QTimer timer_;
};

// AutoConnect starts the connect while the window is still being made; the
// frame's first connect takes it over. What it asks of the person (here the
// password the server refused) is asked then, on this thread, and the
// connect window ends up showing every stage.
TEST(ClientConnectTest, TheStartUpConnectRunsAheadAndTheFirstConnectTakesItOver) {
    Zolsim sim({"--password", "secret"});
    ASSERT_TRUE(sim.started);
    PasswordPromptAnswer answer(QStringLiteral("secret"));
    testing::TempDir dir;
    StartedClient client(dir,
                         testing::DwordLine("AutoConnect", 1) +
                             testing::DwordLine("AutoCloseConnectDialog", 0) +
                             "\"Password\"=\"wrong\"\n",
                         sim.Switches());
    CMainFrame* frame = client.app->MainFrame();
    ASSERT_EQ(frame->ConnectsFinished(), 1);
    EXPECT_EQ(answer.prompts, 1);
    EXPECT_TRUE(client.app->Link().IsConnected());
    const DisplayRecord* home = client.app->Document()->GetDesign().HomeDisplay();
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(frame->View()->CurrentDisplayId(), home->displayId);
    EXPECT_TRUE(frame->WatchRunning());
    ASSERT_NE(frame->ConnectDialog(), nullptr);
    for (int stage = 0; stage < kConnectStages; ++stage)
        EXPECT_EQ(frame->ConnectDialog()->StateOf(stage), StageState::Succeeded) << stage;
    // The design was loaded once: the take-over did not connect again.
    const std::string requests = sim.Control("requests");
    const std::regex firstPart("ZOLApp\\|GetDesign\\|0\\b");
    EXPECT_EQ(std::distance(std::sregex_iterator(requests.begin(), requests.end(), firstPart),
                            std::sregex_iterator()),
              1);
    frame->close();
}

std::vector<std::string> WordsOf(const Zolsim& sim) {
    std::vector<std::string> words;
    for (const QString& word : sim.Switches())
        words.push_back(word.toStdString());
    return words;
}

long Occurrences(const std::string& text, const char* pattern) {
    const std::regex expression(pattern);
    return std::distance(std::sregex_iterator(text.begin(), text.end(), expression),
                         std::sregex_iterator());
}

// The launcher's connect once its connection is open: in the program,
// loading Qt gives it that time; a loaded test machine might not.
std::unique_ptr<ConnectPrefetch> Opened(std::unique_ptr<ConnectPrefetch> begun) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (begun != nullptr && !begun->Opened() && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return begun;
}

// The client started as the zolclient program starts it: the launcher's
// connect begun from the same settings and switches first.
struct LaunchedClient {
    LaunchedClient(const Zolsim& sim, const std::string& settings)
        : begun(Opened(
              BeginConnectAtStart(StartedClient::WriteSettings(dir, settings), WordsOf(sim)))),
          client(dir, settings, sim.Switches(), {}, true, {}, begun.get()) {}
    testing::TempDir dir;
    std::unique_ptr<ConnectPrefetch> begun;
    StartedClient client;
};

// The launcher's connect is taken over where it stopped: one connection,
// the design asked for once, every stage reported; a refused password or
// version is met on that connection.
TEST(ClientConnectTest, TheLaunchersConnectIsTakenOverWhereItStopped) {
    Zolsim sim({"--password", "secret"});
    ASSERT_TRUE(sim.started);
    const std::string autoConnect = testing::DwordLine("AutoConnect", 1);
    {
        LaunchedClient launched(sim, autoConnect + "\"Password\"=\"secret\"\n");
        ASSERT_NE(launched.begun, nullptr);
        CZOLClientApp& app = *launched.client.app;
        ASSERT_EQ(app.MainFrame()->ConnectsFinished(), 1);
        EXPECT_TRUE(app.Link().TookOfferedConnection());
        EXPECT_GT(launched.begun->Exchanged(), 3);  // password, DPI and design parts at least
        const DisplayRecord* home = app.Document()->GetDesign().HomeDisplay();
        ASSERT_NE(home, nullptr);
        EXPECT_EQ(app.MainFrame()->View()->CurrentDisplayId(), home->displayId);
        for (int stage = 0; stage < kConnectStages; ++stage)
            EXPECT_EQ(app.MainFrame()->ConnectDialog()->StateOf(stage), StageState::Succeeded);
        const std::string requests = sim.Control("requests");
        for (const char* once : {"ZOLApp\\|GetDesign\\|0\\b", "ZOL.SetPassword", "ZOL000F"})
            EXPECT_EQ(Occurrences(requests, once), 1) << once;
        app.MainFrame()->close();
        sim.Control("requests clear");
    }
    {
        PasswordPromptAnswer answer(QStringLiteral("secret"));
        LaunchedClient launched(sim, autoConnect + "\"Password\"=\"wrong\"\n");
        CZOLClientApp& app = *launched.client.app;
        ASSERT_EQ(app.MainFrame()->ConnectsFinished(), 1);
        EXPECT_EQ(answer.prompts, 1);
        EXPECT_TRUE(app.Link().TookOfferedConnection());
        EXPECT_TRUE(app.Link().IsConnected());
        const std::string requests = sim.Control("requests");
        EXPECT_EQ(Occurrences(requests, "ZOL000F"), 1);
        EXPECT_EQ(Occurrences(requests, "ZOL.SetPassword"), 2);
        app.MainFrame()->close();
    }
    Zolsim old({"--server-version", "13.0.5"});
    ASSERT_TRUE(old.started);
    {
        LaunchedClient launched(old, autoConnect);
        EXPECT_TRUE(launched.client.app->Link().TookOfferedConnection());
        EXPECT_EQ(launched.client.app->Settings().autoReconnect, 0);
        EXPECT_EQ(Occurrences(old.Control("requests"), "ZOL000F"), 1);
    }

    // Nothing to take for another password, or when the client would not
    // connect at once.
    testing::TempDir dir;
    std::unique_ptr<ConnectPrefetch> other =
        BeginConnectAtStart(StartedClient::WriteSettings(dir, autoConnect), WordsOf(sim));
    ASSERT_NE(other, nullptr);
    ServerTarget target;
    target.address = htonl(INADDR_LOOPBACK);
    target.port = static_cast<std::uint16_t>(sim.Port());
    EXPECT_FALSE(other->Take(target, "wrong").has_value());
    EXPECT_EQ(
        BeginConnectAtStart(StartedClient::WriteSettings(dir, testing::DwordLine("AutoConnect", 0)),
                            WordsOf(sim)),
        nullptr);
}

// A server that takes the connection and never answers is left to the
// client's own connect and its time-outs after a short silence, instead of
// being waited for twice.
TEST(ClientConnectTest, TheLaunchersConnectToASilentServerIsNotWaitedFor) {
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const std::uint16_t port = ntohs(address.sin_port);
    testing::TempDir dir;
    std::unique_ptr<ConnectPrefetch> begun = BeginConnectAtStart(
        StartedClient::WriteSettings(dir, testing::DwordLine("AutoConnect", 1) +
                                              testing::DwordLine("ServerReplyTimeout", 60)),
        {"/ZOLServer:127.0.0.1", "/Port:" + std::to_string(port)});
    ASSERT_NE(begun, nullptr);
    std::this_thread::sleep_for(200ms);  // opened and greeted by now
    ServerTarget target;
    target.address = address.sin_addr.s_addr;
    target.port = port;
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_FALSE(begun->Take(target, "").has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 30s);
    begun.reset();
    ::close(listener);
}

// Started before Qt and the theme folders, the connect waits for the
// folders when the displays come, so their icon sets are found.
TEST(ClientConnectTest, AConnectBegunBeforeTheThemesFindsTheirIconSets) {
    Zolsim sim;
    ASSERT_TRUE(sim.started);
    testing::TempDir dir;
    const QStringList switches = sim.Switches();
    StartedClient client(dir, testing::DwordLine("AutoConnect", 1), switches, {}, true,
                         [&switches](CZOLClientApp& app) {
                             ASSERT_TRUE(app.BeginInstance(switches));
                             // Time for the sequence to reach the displays.
                             std::this_thread::sleep_for(300ms);
                         });
    CMainFrame* frame = client.app->MainFrame();
    ASSERT_EQ(frame->ConnectsFinished(), 1);
    const Design& design = client.app->Document()->GetDesign();
    ASSERT_FALSE(design.displays.empty());
    for (const auto& display : design.displays)
        EXPECT_NE(display->layoutTheme, nullptr) << display->name;
    frame->close();
}

// Ending before the frame took the start-up connect over: its question is
// answered "cancel", the sequence ends, and nothing waits past it.
TEST(ClientConnectTest, AnExitBeforeTheTakeOverEndsTheStartUpConnect) {
    Zolsim sim({"--password", "secret"});
    ASSERT_TRUE(sim.started);
    testing::TempDir dir;
    StartedClient client(dir, testing::DwordLine("AutoConnect", 1) + "\"Password\"=\"wrong\"\n",
                         sim.Switches(), {}, false);
    ASSERT_TRUE(client.started);
    EXPECT_EQ(client.app->ExitInstance(), 0);
    EXPECT_FALSE(client.app->Link().IsConnected());
    EXPECT_EQ(client.app->MainFrame(), nullptr);
}

// Commands handled in the connect's event-loop turns: another connect is
// dropped (it would run inside this one) and an exit waits for the
// sequence to return, then closes in order.
TEST(ClientConnectTest, ConnectAndExitAskedForDuringAConnectWaitForIt) {
    Zolsim sim;
    ASSERT_TRUE(sim.started);
    testing::TempDir dir;
    StartedClient client(dir, "", sim.Switches());
    CMainFrame* frame = client.app->MainFrame();
    PostAppMessage(frame, AppMessage::UiCommand, 0, 0);
    PostAppMessage(frame, AppMessage::UiCommand, 2, 0);
    PostAppMessage(frame, AppMessage::UiCommand, 4, 0);
    ASSERT_EQ(frame->ConnectAndLoad(kConnectModeUser), 0);
    EXPECT_EQ(frame->ConnectsFinished(), 1);
    ASSERT_TRUE(StartedClient::RunUntil([&] { return !frame->isVisible(); }));
    EXPECT_FALSE(client.app->Link().IsConnected());
    EXPECT_FALSE(frame->WatchRunning());
}

// UI commands 3, 11 and 12 run the options sheet, the server status window
// and the log window modally from the frame; each opens, asks its server
// and closes again. A window shown before it was made modal would run its
// loop unseen by the closer: the fallback closes it and the test fails
// instead of hanging.
TEST(ClientConnectTest, ToolWindowCommandsOpenModalWindowsThatClose) {
    Zolsim sim;
    ASSERT_TRUE(sim.started);
    testing::TempDir dir;
    StartedClient client(dir, "", sim.Switches());
    CMainFrame* frame = client.app->MainFrame();
    ASSERT_EQ(frame->ConnectAndLoad(kConnectModeUser), 0);
    testing::ModalCloser closer;
    const std::vector<std::pair<UiCommandCode, const char*>> commands = {
        {UiCommandCode::ClientOptions, "zol::CClientOptionsSheet"},
        {UiCommandCode::ServerStatus, "zol::CServerStatusWindow"},
        {UiCommandCode::LogView, "zol::CServerLogWindow"}};
    for (const auto& [command, window] : commands) {
        QTimer fallback;
        fallback.setSingleShot(true);
        QObject::connect(&fallback, &QTimer::timeout, [] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (qobject_cast<QDialog*>(w) != nullptr && w->isVisible())
                    w->close();
            }
        });
        fallback.start(60'000);
        // Returns when the window's own loop has ended.
        PostAppMessage(frame, AppMessage::UiCommand, static_cast<std::intptr_t>(command), 0);
        QCoreApplication::sendPostedEvents(frame);
        EXPECT_TRUE(closer.Opened(window)) << window << " did not run modally";
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(client.app->Link().IsConnected());
    frame->close();
}

// While the remote access viewer is open the link's traffic reaches it from
// the link's own threads; once it is closed the link copies nothing more.
TEST(ClientConnectTest, TheViewerShowsTheLinksTraffic) {
    Zolsim sim;
    ASSERT_TRUE(sim.started);
    testing::TempDir dir;
    StartedClient client(dir, "", sim.Switches());
    CRemoteAccessViewer* viewer = CRemoteAccessViewer::Open();
    ASSERT_EQ(client.app->MainFrame()->ConnectAndLoad(kConnectModeUser), 0);
    const auto rows = [viewer](TraceDirection direction) {
        viewer->Flush();
        int n = 0;
        for (int row = 0; row < viewer->Model().rowCount(); ++row)
            n += viewer->Model().Row(row).direction == direction ? 1 : 0;
        return n;
    };
    ASSERT_TRUE(StartedClient::RunUntil(
        [&] { return rows(TraceDirection::Sent) > 0 && rows(TraceDirection::Received) > 0; }));
    delete viewer;
    EXPECT_EQ(CRemoteAccessViewer::Instance(), nullptr);
    client.app->MainFrame()->close();
}

TEST(ClientConnectTest, MissedPingsCloseTheConnection) {
    Zolsim sim;
    ASSERT_TRUE(sim.started);
    testing::TempDir dir;
    StartedClient client(
        dir, testing::DwordLine("ServerReplyTimeout", 1) + testing::DwordLine("AutoReconnect", 0),
        sim.Switches(), testing::DwordLine("MissedPingBeforeDisconnect", 1));
    ASSERT_EQ(client.app->MainFrame()->ConnectAndLoad(kConnectModeUser), 0);
    sim.Control("fault silent on");
    std::int32_t code = 0;
    std::string reply;
    EXPECT_EQ(
        client.app->Link().SendRequest(FieldList{"ZOLApp", "Ping", "5"}.Message(), code, reply), 1);
    ASSERT_TRUE(StartedClient::RunUntil([&] { return !client.app->Link().IsConnected(); }));
    EXPECT_EQ(client.app->MainFrame()->View()->CurrentDisplayId(), 0);
}

TEST(ClientConnectTest, ARefusedVersionTurnsAutoReconnectOff) {
    Zolsim sim({"--server-version", "13.0.5"});
    ASSERT_TRUE(sim.started);
    testing::TempDir dir;
    StartedClient client(dir, "", sim.Switches());
    ASSERT_EQ(client.app->Settings().autoReconnect, 1);
    EXPECT_NE(client.app->MainFrame()->ConnectAndLoad(kConnectModeUser), 0);
    EXPECT_EQ(client.app->Settings().autoReconnect, 0);
    EXPECT_EQ(client.app->WatchSettingsChannel().Snapshot().autoReconnect, 0);
    EXPECT_FALSE(client.app->MainFrame()->WatchRunning());
}

TEST(ClientConnectTest, ConnectsThroughTheRelayAndKeepsItsLog) {
    Zolsim sim({"--relay-port", "0"}, 3);
    ASSERT_TRUE(sim.started);
    std::smatch match;
    const std::string& line = sim.Lines().at(2);
    ASSERT_TRUE(std::regex_search(line, match, std::regex(R"(relay control on [\d.]+:(\d+))")));
    testing::TempDir dir;
    StartedClient client(dir,
                         "\"agentAddress\"=\"127.0.0.1\"\n\"agentToken\"=\"token\"\n" +
                             testing::DwordLine("agentPort", std::stoul(match[1])) +
                             testing::DwordLine("useAgentConnection", 1),
                         {});
    ASSERT_EQ(client.app->MainFrame()->ConnectAndLoad(kConnectModeUser), 0);
    EXPECT_NE(client.app->Document()->GetDesign().HomeDisplay(), nullptr);
    client.app->MainFrame()->close();
    bool logged = false;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path() / "work"))
        logged |= entry.path().filename().string().find("ZOLCloudWClient") != std::string::npos;
    EXPECT_TRUE(logged);
}

// With the cloud switched off centrally the relay settings are passed by:
// the stored address is dialled directly.
TEST(ClientConnectTest, CloudMasterDisableConnectsDirectly) {
    Zolsim sim;
    ASSERT_TRUE(sim.started);
    testing::TempDir dir;
    StartedClient client(
        dir,
        "\"agentAddress\"=\"127.0.0.1\"\n\"agentToken\"=\"token\"\n" +
            testing::DwordLine("agentPort", 1) + testing::DwordLine("useAgentConnection", 1) +
            testing::DwordLine("CloudMasterDisable", 1) +
            testing::DwordLine("PrimaryIPAddress", 0x7F000001) +
            testing::DwordLine("ServerPort", static_cast<std::uint32_t>(sim.Port())),
        {});
    EXPECT_EQ(client.app->MainFrame()->ConnectAndLoad(kConnectModeUser), 0);
    client.app->MainFrame()->close();
}

}  // namespace
}  // namespace zol
