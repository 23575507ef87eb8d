#include "client/core/zol_client_app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>

#include <gtest/gtest.h>

#include "client/core/app_messages.h"
#include "client/core/main_frame.h"
#include "client/core/zol_client_doc.h"
#include "client/display/zol_client_view.h"
#include "guibase/windows1252_text.h"
#include "temp_dir.h"

namespace zol {
namespace {

RegistryValue Dword(std::uint32_t n) {
    std::string d(4, '\0');
    for (std::size_t i = 0; i < 4; ++i)
        d[i] = static_cast<char>(n >> (8 * i));
    return {kRegDword, d};
}

class ClientAppTest : public ::testing::Test {
  protected:
    void SetUp() override { MakeThemes(dir_.Path() / "themes"); }

    void MakeThemes(const std::filesystem::path& folder) {
        themes_ = folder;
        for (const char* t : {"Theme_36_36", "Theme_54_54", "Theme_110_110"}) {
            dir_.Write(themes_ / t / "theme.txt", "[Metrics]\ncxCell=50\n");
        }
    }

    // Writes settings values before the start.
    void Store(const std::string& section, const std::string& name, RegistryValue value) {
        RegistryStore store(RegistryFile());
        store.Load();
        const std::string key = std::string(kClientRegistryKey) + "\\" + section;
        store.CreateKey(key);
        store.SetValue(key, name, std::move(value));
        ASSERT_EQ(store.Save(), 0);
    }

    std::filesystem::path RegistryFile() const { return dir_.Path() / "ZOLClient.reg"; }

    std::unique_ptr<CZOLClientApp> Start(const QStringList& arguments) {
        // Settings hold Windows-1252 texts, paths included.
        Store("Location", "ThemeDirPath", {kRegSz, Windows1252FromPath(themes_)});
        CZOLClientApp::Environment env;
        env.registryFile = RegistryFile();
        env.warningBox = [this](const QString& text) { warnings_.push_back(text); };
        auto app = std::make_unique<CZOLClientApp>(std::move(env));
        EXPECT_TRUE(app->InitInstance(arguments));
        QCoreApplication::sendPostedEvents();
        return app;
    }

    testing::TempDir dir_;
    std::filesystem::path themes_;
    QStringList warnings_;
};

TEST_F(ClientAppTest, StartsWithTheFrameSplitterAndDocument) {
    auto app = Start({});
    EXPECT_EQ(CZOLClientApp::Instance(), app.get());
    CMainFrame* frame = app->MainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(frame->Splitter()->count(), 2);
    EXPECT_EQ(frame->Splitter()->widget(0), frame->StatusBarRow());
    EXPECT_EQ(frame->Splitter()->widget(1), frame->View());
    EXPECT_EQ(frame->StatusBarRow()->height(), frame->ScreenDpi() * 50 / 96);
    ASSERT_NE(app->Document(), nullptr);
    EXPECT_EQ(app->Document()->Title(), QStringLiteral("Not Connected"));
    EXPECT_EQ(app->Themes().sets.size(), 3u);
    EXPECT_TRUE(warnings_.isEmpty());
    EXPECT_EQ(app->Version(), (GreetingNumbers{16, 0, 17}));
    // No AutoConnect: nothing posted.
    EXPECT_FALSE(app->AutoConnectPosted());
    EXPECT_EQ(frame->ConnectsFinished(), 0);
}

TEST_F(ClientAppTest, WorkersReadTheSettingsPublishedAfterEachChange) {
    Store("Connection", "KeepAliveTime", Dword(9));
    auto app = Start({});
    EXPECT_EQ(app->WatchSettingsChannel().Snapshot().keepAliveTime, 9);
    app->Settings().autoReconnectTime = 45;
    app->Settings().autoReconnect = 0;
    EXPECT_EQ(app->WatchSettingsChannel().Snapshot().autoReconnectTime, 30) << "not yet published";
    app->SettingsChanged();
    EXPECT_EQ(app->WatchSettingsChannel().Snapshot(), WatchSettings::From(app->Settings()));
    EXPECT_EQ(app->WatchSettingsChannel().Snapshot().autoReconnectTime, 45);
}

TEST_F(ClientAppTest, NonAsciiSwitchesAndFoldersCrossTheEdgeAsWindows1252) {
    MakeThemes(dir_.Path() / "th\xC3\xA8mes");  // "thèmes" as the file system names it
    auto app = Start({QStringLiteral(u"/PSWD:café€✓")});
    EXPECT_EQ(app->Connection().password, "caf\xE9\x80?") << "the bytes the server expects";
    EXPECT_EQ(app->Themes().sets.size(), 3u);
    EXPECT_TRUE(warnings_.isEmpty());
}

TEST_F(ClientAppTest, ScaledStatusBarRowAtAnotherDpi) {
    Store("Misc", "DebugDPI", Dword(144));
    auto app = Start({});
    EXPECT_EQ(app->MainFrame()->ScreenDpi(), 144);
    EXPECT_EQ(app->MainFrame()->StatusBarRow()->height(), 75);
}

TEST_F(ClientAppTest, AutoConnectPostsConnectWhenTheDetailsAreComplete) {
    Store("Connection", "AutoConnect", Dword(1));
    Store("Connection", "useAgentConnection", Dword(1));
    // The connect really runs: a loopback address where nothing listens.
    auto app = Start({QStringLiteral("/ZOLServer:127.0.0.20"), QStringLiteral("/Port:1234")});
    EXPECT_TRUE(app->Connection().overridden);
    EXPECT_EQ(app->Connection().ipv4Address, 0x7F000014u);
    EXPECT_EQ(app->Connection().serverPort, 1234);
    EXPECT_EQ(app->Connection().useRelay, 0);
    EXPECT_TRUE(app->AutoConnectPosted());
    EXPECT_EQ(app->MainFrame()->ConnectsFinished(), 1);
}

TEST_F(ClientAppTest, AutoConnectWaitsForCompleteDetails) {
    Store("Connection", "AutoConnect", Dword(1));
    auto incomplete = Start({QStringLiteral("/ZOLServer:192.168.1")});
    EXPECT_FALSE(incomplete->Connection().overridden);
    EXPECT_FALSE(incomplete->AutoConnectPosted());
}

TEST_F(ClientAppTest, WithoutAutoConnectNothingIsPostedWhateverTheSwitches) {
    auto app = Start({QStringLiteral("/ZOLServer:10.0.0.1 /CloudToken:t /RAV")});
    EXPECT_TRUE(app->RemoteAccessViewerRequested());
    EXPECT_FALSE(app->AutoConnectPosted());
}

TEST_F(ClientAppTest, MissingThemeIsReportedAndStartUpGoesOn) {
    std::filesystem::remove_all(themes_ / "Theme_54_54");
    auto app = Start({});
    EXPECT_EQ(warnings_,
              QStringList{QStringLiteral("Can't locate Theme_54_54!  Check the install")});
    EXPECT_TRUE(app->MainFrame()->isVisible());
}

TEST_F(ClientAppTest, AZeroPlacementFillsTheWorkAreaAndClosingSavesThePlacement) {
    auto app = Start({});
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(app->MainFrame()->geometry(), QRect(0, 0, work.right() + 1, work.bottom() + 1));

    app->MainFrame()->setGeometry(20, 30, 640, 480);
    QCoreApplication::processEvents();
    app->MainFrame()->close();
    EXPECT_FALSE(app->MainFrame()->View()->HasCurrentDisplay());
    app->ExitInstance();

    RegistryStore saved(RegistryFile());
    saved.Load();
    const std::string ui = std::string(kClientRegistryKey) + "\\UserInterface";
    EXPECT_EQ(saved.GetValue(ui, "Pos.normalPos.left"), Dword(20));
    EXPECT_EQ(saved.GetValue(ui, "Pos.normalPos.right"), Dword(30));  // the top edge
    EXPECT_EQ(saved.GetValue(ui, "Pos.normalPos.top"), Dword(660));   // the right edge
    EXPECT_EQ(saved.GetValue(ui, "Pos.normalPos.bottom"), Dword(510));
}

TEST_F(ClientAppTest, ASavedPlacementThatFitsIsRestored) {
    Store("UserInterface", "Pos.normalPos.left", Dword(40));
    Store("UserInterface", "Pos.normalPos.right", Dword(50));  // top
    Store("UserInterface", "Pos.normalPos.top", Dword(640));   // right
    Store("UserInterface", "Pos.normalPos.bottom", Dword(450));
    auto app = Start({});
    EXPECT_EQ(app->MainFrame()->geometry(), QRect(40, 50, 600, 400));
}

// Closes the client the way a user does and saves its settings.
void CloseAndExit(std::unique_ptr<CZOLClientApp>& app) {
    QCoreApplication::processEvents();
    app->MainFrame()->close();
    app->ExitInstance();
    app.reset();
}

TEST_F(ClientAppTest, AClientClosedMaximisedStartsMaximised) {
    auto app = Start({});
    app->MainFrame()->setGeometry(20, 30, 640, 480);
    app->MainFrame()->showMaximized();
    CloseAndExit(app);

    app = Start({});
    EXPECT_TRUE(app->MainFrame()->isMaximized());
    EXPECT_EQ(app->MainFrame()->normalGeometry(), QRect(20, 30, 640, 480));
    EXPECT_EQ(app->Settings().placement.showCmd, kShowMaximized);
}

TEST_F(ClientAppTest, FullScreenCoversTheScreenAndComesBackAfterARestart) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    auto app = Start({});
    app->MainFrame()->setGeometry(20, 30, 640, 480);
    PostAppMessage(app->MainFrame(), AppMessage::UiCommand,
                   static_cast<std::intptr_t>(UiCommandCode::FullScreen), 0);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();  // the window system's geometry change
    EXPECT_EQ(app->MainFrame()->geometry(), screen);
    CloseAndExit(app);

    // Saved as full screen, with the normal rectangle from before.
    RegistryStore saved(RegistryFile());
    saved.Load();
    const std::string ui = std::string(kClientRegistryKey) + "\\UserInterface";
    EXPECT_EQ(saved.GetValue(ui, "Pos.showCmd"), Dword(kShowFullScreen));
    EXPECT_EQ(saved.GetValue(ui, "Pos.normalPos.left"), Dword(20));
    EXPECT_EQ(saved.GetValue(ui, "Pos.normalPos.bottom"), Dword(510));

    app = Start({});
    QCoreApplication::processEvents();
    EXPECT_EQ(app->MainFrame()->geometry(), screen);
    EXPECT_EQ(app->MainFrame()->CurrentPlacement({}).normalPosition,
              (PlacementRect{20, 30, 660, 510}));
}

TEST_F(ClientAppTest, ConnectionLostAndPayloadsAreHandledByTheFrame) {
    auto app = Start({});
    PostAppMessage(app->MainFrame(), AppMessage::PushedMessage, 5, 0,
                   std::make_unique<TextPayload>("hello"));
    PostAppMessage(app->MainFrame(), AppMessage::ConnectionLost);
    PostAppMessage(app->MainFrame(), AppMessage::UiCommand, 99, 0);  // ignored
    PostAppMessage(nullptr, AppMessage::TraceText, 0, 0, std::make_unique<TextPayload>("x"));
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(app->MainFrame()->View()->HasCurrentDisplay());
    EXPECT_TRUE(app->MainFrame()->isVisible());
}

}  // namespace
}  // namespace zol
