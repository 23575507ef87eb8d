#include "client/core/zol_client_app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <utility>

#include "client/core/app_messages.h"
#include "client/core/default_locations.h"
#include "client/core/early_connect.h"
#include "client/core/main_frame.h"
#include "client/core/process_launcher.h"
#include "client/core/zol_client_doc.h"
#include "client/display/zol_client_view.h"
#include "client/toolwindows/remote_access_viewer.h"
#include "guibase/dpi_scale.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

CZOLClientApp* gApp = nullptr;

// The switches' values go to the server and the settings as they would on
// Windows: as Windows-1252 bytes, whatever the terminal's encoding.
std::vector<std::string> ToWindows1252Words(const QStringList& list) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(list.size()));
    for (const QString& s : list)
        out.push_back(ToWindows1252(s));
    return out;
}

}  // namespace

CZOLClientApp::Environment CZOLClientApp::DefaultEnvironment() {
    Environment e;
    e.registryFile = RegistryStore::DefaultPath(kClientProgramName);
    e.warningBox = [](const QString& text) {
        QMessageBox::warning(nullptr, QStringLiteral("ZOL Client"), text);
    };
    e.speechVoice = SpeechOutput::PlatformVoice();
    return e;
}

CZOLClientApp::CZOLClientApp(Environment environment)
    : environment_(std::move(environment)),
      store_(environment_.registryFile),
      speech_(environment_.speechVoice,
              [](const std::string& line) { qWarning("%s", line.c_str()); }),
      reporter_(environment_.warningBox),
      launcher_(environment_.launcher ? environment_.launcher
                                      : std::make_shared<ProcessLauncher>()),
      relay_(std::make_unique<RelayLink>(relaySettings_, linkTimeouts_)),
      link_(std::make_unique<ServerLink>(linkTimeouts_)),
      channel_(std::make_unique<ServerLinkChannel>(*link_)) {
    link_->SetObserver(&linkEvents_);
    link_->SetRelayHook(relay_.get());
    relay_->SetObserver(&linkEvents_);
    // Construction: the original also names its taskbar identity here
    // ("ZOL Client.AppID.NoVersion"); the desktop file does that on Linux.
    gApp = this;
}

CZOLClientApp::~CZOLClientApp() {
    // A start-up connect that was never taken over ends before the link;
    // with no folders listed it finds none.
    MarkThemesListed();
    TakeEarlyConnect().reset();
    Themes();
    // The viewer may outlive the frame; it must not call back into the app.
    CRemoteAccessViewer::SetOpenHook(nullptr);
    delete CRemoteAccessViewer::Instance();
    // No report of the link may reach a frame that is going.
    link_->CloseServerConnection();
    linkEvents_.SetTarget(nullptr);
    frame_.reset();
    ownedDocument_.reset();
    if (gApp == this)
        gApp = nullptr;
}

CZOLClientApp* CZOLClientApp::Instance() {
    return gApp;
}

bool CZOLClientApp::BeginInstance(const QStringList& arguments) {
    begun_ = true;
    // 1-4: common controls, sockets, OLE, ActiveX hosting, the framework's
    // registry key and its menu/keyboard/tooltip managers: Qt and POSIX
    // sockets need no start-up, and the framework's own window state lives
    // in the same settings file as ours.
    // 5: the single-document template is CreateDocumentAndFrame (step 15).
    // 6: the runtime's invalid-argument handler has no counterpart here.

    // 7: the version numbers the connect handshake sends, compiled in.
    version_ = OwnGreetingNumbers(ClientProgram::Gui);

    // 8, 9: settings, then the status-bar font and lock code decoded.
    store_.Load();
    settings_.Load(store_);
    SettingsChanged();
    ApplyConnectionSettings();

    // 10: the locale's date and time formats.
    formats_ = LocaleFormats::FromLocale(QLocale::system());

    // 11, 14 (12 and 13 follow in InitInstance): no override yet, the
    // secondary server sharing the primary's port and password; the
    // effective connection from the settings, then the switches.
    const StartingConnection start = ConnectionAtStart(settings_, ToWindows1252Words(arguments));
    connection_ = start.connection;
    openRemoteAccessViewer_ = start.openRemoteAccessViewer;

    // 18, begun early: the connect asked for at start runs from here on, on
    // a thread of its own, while Qt starts and the window is made; the
    // frame's first connect takes it over. It waits for the theme folders
    // only when the displays come.
    autoConnectPosted_ = start.connectAtOnce;
    if (autoConnectPosted_) {
        earlyConnect_ = std::make_unique<EarlyConnect>(*this);
        earlyConnectPending_.store(true);
    }
    return true;
}

bool CZOLClientApp::InitInstance(const QStringList& arguments) {
    if (!begun_)
        BeginInstance(arguments);

    // 12: the theme folders.
    EnumerateThemes();

    // 13: the speech task.
    speech_.Start({settings_.maxSleepIntervalTime, settings_.taskTerminateWaitTime});

    // 15: the document, the frame and its views.
    if (!CreateDocumentAndFrame())
        return false;

    // 16: placement, shown normally and painted at once.
    frame_->ApplyPlacement(settings_.placement);
    frame_->show();
    frame_->repaint();

    // 17: the remote access viewer, with /RAV. While one is open the link
    // copies what it sends and receives to it, and the tiles their traces.
    CRemoteAccessViewer::SetOpenHook([this](bool open) {
        linkEvents_.SetTraceSink(open ? &CRemoteAccessViewer::Post : nullptr);
        if (frame_ && frame_->View())
            frame_->View()->SetTraceWindow(open ? CRemoteAccessViewer::Instance() : nullptr);
    });
    if (openRemoteAccessViewer_)
        CRemoteAccessViewer::Open();

    // 18: connect at once when asked to and the details are complete.
    if (autoConnectPosted_) {
        PostAppMessage(frame_.get(), AppMessage::UiCommand,
                       static_cast<std::intptr_t>(UiCommandCode::Connect), 0);
    }
    return true;
}

int CZOLClientApp::SaveSettings() {
    return settings_.Save(store_);
}

IconSetOptions CZOLClientApp::ThemeOptions() const {
    IconSetOptions options;
    // Fonts follow the main frame's DPI; before there is a frame, 96.
    options.dpi = frame_ ? ScreenDpi() : kReferenceDpi;
    options.backgroundColor = static_cast<std::uint32_t>(settings_.backgroundColor);
    return options;
}

void CZOLClientApp::SettingsChanged() {
    watchSettings_.Publish(WatchSettings::From(settings_));
}

void CZOLClientApp::SettingsEdited() {
    connection_ = EffectiveConnection::FromSettings(settings_);
    SettingsChanged();
}

void CZOLClientApp::ApplyConnectionSettings() {
    linkTimeouts_ = LinkTimeoutsFrom(settings_);
    relaySettings_.agentAddress = settings_.agentAddress;
    relaySettings_.agentPort = settings_.agentPort;
    relaySettings_.agentPostConnectWaitSeconds = settings_.agentPostConnectWaitSeconds;
    relaySettings_.agentPingSeconds = settings_.agentPingSeconds;
    relaySettings_.agentLog = settings_.agentLog;
    relaySettings_.logFolder = EffectiveTempDir(settings_).string();
    relaySettings_.logKeepDays = settings_.auxLogSaveDays;
}

void CZOLClientApp::EnumerateThemes() {
    const IconSetOptions options = ThemeOptions();
    ThemeFolderList listed = ListThemeFolders(EffectiveThemeDir(settings_), options);
    {
        std::lock_guard lock(themePicturesMutex_);
        themes_ = std::move(listed);
        // Decoding the pictures is the longest part of start-up; nothing
        // needs them before the connect looks up the displays' icon sets.
        themePictures_ = std::thread([this, options] { LoadThemePictures(themes_, options); });
        themesListed_ = true;
    }
    themesListedChanged_.notify_all();
    for (const std::string& message : MissingThemeMessages(themes_)) {
        if (environment_.warningBox)
            environment_.warningBox(FromWindows1252(message));
    }
}

void CZOLClientApp::MarkThemesListed() {
    {
        std::lock_guard lock(themePicturesMutex_);
        themesListed_ = true;
    }
    themesListedChanged_.notify_all();
}

const ThemeFolderList& CZOLClientApp::Themes() const {
    // The early connect looks up icon sets from its own thread, possibly
    // before the folders are listed.
    std::unique_lock lock(themePicturesMutex_);
    themesListedChanged_.wait(lock, [this] { return themesListed_; });
    if (themePictures_.joinable())
        themePictures_.join();
    return themes_;
}

ThemeFolderList& CZOLClientApp::Themes() {
    return const_cast<ThemeFolderList&>(std::as_const(*this).Themes());
}

int CZOLClientApp::ScreenDpi() const {
    QScreen* screen = QGuiApplication::primaryScreen();
    const int reported = screen != nullptr ? static_cast<int>(screen->logicalDotsPerInchX()) : 0;
    return EffectiveDpi(settings_.screenDPI, settings_.debugDPI, reported);
}

bool CZOLClientApp::CreateDocumentAndFrame() {
    ownedDocument_ = std::make_unique<CZOLClientDoc>(*this);
    ownedDocument_->OnNewDocument();
    frame_ = std::make_unique<CMainFrame>(*this, ScreenDpi());
    linkEvents_.SetTarget(frame_.get());
    // Until the status bar shows the connection state, the view shows the
    // document's title ("Not Connected") in its middle.
    auto showTitle = [frame = frame_.get()](const QString& title) {
        frame->setWindowTitle(title + QStringLiteral(" - ZOL Client"));
        frame->View()->SetNotice(title);
    };
    showTitle(document_->Title());
    QObject::connect(document_, &CZOLClientDoc::TitleChanged, frame_.get(), showTitle);
    return true;
}

int CZOLClientApp::ExitInstance() {
    if (exited_)
        return 0;
    exited_ = true;
    // A start-up connect not taken over ends first: the frame would wait for
    // it. With no folders listed it finds none.
    MarkThemesListed();
    TakeEarlyConnect().reset();
    // The frame saved its placement when it closed; one that never closed
    // (start-up failed, or the loop ended another way) saves it now.
    if (frame_ && frame_->isVisible())
        frame_->close();
    link_->CloseServerConnection();
    linkEvents_.SetTarget(nullptr);
    frame_.reset();
    // Free the theme list.
    Themes();
    themes_ = ThemeFolderList();
    // Stop the speech task.
    speech_.Stop();
    // Save the settings. A failure has no one to tell at exit; the store
    // has already written its reason to standard error.
    settings_.Save(store_);
    return 0;
}

}  // namespace zol
