#include "client/core/main_frame.h"

#include <arpa/inet.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>

#include <algorithm>
#include <utility>

#include "client/core/app_messages.h"
#include "client/core/connect_context.h"
#include "client/core/connect_sequence.h"
#include "client/core/connection_watch.h"
#include "client/core/default_locations.h"
#include "client/core/early_connect.h"
#include "client/core/main_frame_requests.h"
#include "client/core/notification_dispatcher.h"
#include "client/core/push_queue.h"
#include "client/core/screen_waker.h"
#include "client/core/zol_client_app.h"
#include "client/core/zol_client_doc.h"
#include "client/display/tiles/icon_font_warm_up.h"
#include "client/display/zol_client_view.h"
#include "client/model/tile_requests.h"
#include "client/popups/control_popup_registry.h"
#include "client/popups/ctui_status_bar.h"
#include "client/popups/tui_system.h"
#include "client/toolwindows/client_options_sheet.h"
#include "client/toolwindows/password_dialog.h"
#include "client/toolwindows/server_connect.h"
#include "client/toolwindows/server_log_window.h"
#include "client/toolwindows/server_status_window.h"
#include "client/userdialogs/user_dialog_host.h"
#include "client/userdialogs/user_dialog_request.h"
#include "guibase/color_ref.h"
#include "guibase/dpi_scale.h"
#include "guibase/windows1252_text.h"
#include "serverlink/field_list.h"

namespace zol {

namespace {

// Pushes applied per turn of the event loop, at most, in milliseconds.
constexpr int kPushSliceMs = 10;

PlacementRect ToPlacementRect(const QRect& r) {
    return PlacementRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QRect ToQRect(const PlacementRect& r) {
    return QRect(r.left, r.top, static_cast<int>(r.Width()), static_cast<int>(r.Height()));
}

}  // namespace

CMainFrame::CMainFrame(CZOLClientApp& app, int screenDpi)
    : QMainWindow(nullptr, Qt::Window | Qt::FramelessWindowHint), app_(app), screenDpi_(screenDpi) {
    setObjectName(QStringLiteral("mainFrame"));
    // No menu; the frame's title is the document's, as the framework shows it.
    CreateClient();
    waker_ = std::make_unique<ScreenWaker>(app_.Programs());
    // Pushed speech and sounds go to the application's players.
    SetPushHooks(
        PushHooks{[this](const SpeechPush& speech) { app_.Speech().Queue(speech); },
                  [this](const std::filesystem::path& sound) { app_.Sounds().Play(sound); }});
    pushes_ = new PushQueue(
        [this](std::uint64_t generation, std::string_view frame) {
            // Pushes of an earlier connection describe a design and state
            // that are gone.
            if (generation == app_.LinkEvents().Generation())
                dispatcher_->Dispatch(frame);
        },
        kPushSliceMs, this);
    timedReturn_.setSingleShot(true);
    connect(&timedReturn_, &QTimer::timeout, this, &CMainFrame::OnTimedReturn);
    deferred_.setInterval(200);
    connect(&deferred_, &QTimer::timeout, this, &CMainFrame::RunDeferred);
}

CMainFrame::~CMainFrame() {
    StopWatch();
}

void CMainFrame::CreateClient() {
    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setChildrenCollapsible(false);
    splitter_->setHandleWidth(0);

    statusBar_ = new CTUIStatusBar(app_, screenDpi_, splitter_);
    statusBar_->setObjectName(QStringLiteral("statusBarRow"));
    statusBar_->setFixedHeight(ScalePixels(kStatusBarRowHeight, screenDpi_));
    statusBar_->SetSource(this);
    statusBar_->SetControlPanelRunner([this] { return RunControlPanel(); });
    userDialogs_ = std::make_unique<UserDialogHost>(app_, screenDpi_, this);

    DisplayServices services;
    services.design = [this]() -> Design* {
        return app_.Document() != nullptr ? &app_.Document()->GetDesign() : nullptr;
    };
    services.settings = &app_.Settings();
    services.channel = &app_.Channel();
    services.reporter = &app_.Reporter();
    services.mainFrame = [this]() -> QObject* { return this; };
    services.historyCount = [this] { return history_.Count(); };
    // Refresh ticks wait while there is no connection or a design loads.
    services.refreshAllowed = [this] { return app_.Link().IsConnected() && !app_.Connecting(); };
    services.iconSets = [this](std::string_view name) {
        return FindIconSet(app_.Themes().sets, name);
    };
    services.screenDpi = screenDpi_;
    services.statusReceivers = &registered_.StatusTiles();
    view_ = new CZOLClientView(std::move(services), splitter_);
    view_->setObjectName(QStringLiteral("mainView"));
    splitter_->addWidget(statusBar_);
    splitter_->addWidget(view_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    // A static splitter: the rows cannot be dragged.
    if (QSplitterHandle* handle = splitter_->handle(1))
        handle->setEnabled(false);
    setCentralWidget(splitter_);
}

QWidget* CMainFrame::StatusBarRow() const {
    return statusBar_;
}

QRect CMainFrame::NormalRect() const {
    return normalGeometry().isValid() ? normalGeometry() : geometry();
}

QRect CMainFrame::ScreenRect() const {
    QScreen* shownOn = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    return shownOn != nullptr ? shownOn->geometry() : QRect();
}

WindowPlacement CMainFrame::CurrentPlacement(const WindowPlacement& saved) const {
    WindowPlacement p = saved;
    p.flags = 0;
    p.normalPosition = ToPlacementRect(NormalRect());
    // A minimised window records the state it returns to, which is what a
    // restart brings back. Without a window manager the full-screen state
    // does not stick, but the window still covers the screen.
    const Qt::WindowStates state = windowState();
    if ((state & Qt::WindowFullScreen) || (fullScreen_ && geometry() == ScreenRect())) {
        p.showCmd = kShowFullScreen;
        p.normalPosition = ToPlacementRect(normalBeforeFullScreen_);
    } else if (state & Qt::WindowMaximized) {
        p.showCmd = kShowMaximized;
    } else {
        p.showCmd = (state & Qt::WindowMinimized) ? kShowMinimized : kShowNormal;
    }
    return p;
}

void CMainFrame::ApplyPlacement(const WindowPlacement& placement) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const PlacementRect repaired =
        RepairNormalPosition(placement.normalPosition, ToPlacementRect(screen->geometry()),
                             ToPlacementRect(screen->availableGeometry()));
    setGeometry(ToQRect(repaired));
    // Set before showing, the state keeps the rectangle as the normal one. A
    // client never starts minimised: a touch panel would show nothing.
    if (placement.showCmd == kShowFullScreen)
        CoverScreen();
    else if (placement.showCmd == kShowMaximized)
        setWindowState(Qt::WindowMaximized);
    else
        setWindowState(Qt::WindowNoState);
}

void CMainFrame::CoverScreen() {
    if (!fullScreen_ && !isFullScreen())
        normalBeforeFullScreen_ = NormalRect();
    fullScreen_ = true;
    // The state asks a window manager for the whole screen, panels included;
    // the geometry places the window there when no window manager runs.
    setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)) |
                   Qt::WindowFullScreen);
    setGeometry(ScreenRect());
}

void CMainFrame::SetPushHooks(PushHooks hooks) {
    dispatcher_ = std::make_unique<NotificationDispatcher>(
        DispatchServices{*this, registered_, app_.Channel(), app_.Reporter(), app_.Programs(),
                         app_.Settings(), std::move(hooks)});
}

std::uint64_t CMainFrame::UpdatesApplied() const {
    return dispatcher_->UpdatesApplied();
}

void CMainFrame::SetScreenWaker(std::unique_ptr<ScreenWaker> waker) {
    waker_ = std::move(waker);
}

// --- Application messages --------------------------------------------------

bool CMainFrame::CurrentConnection(const AppMessageEvent& message) const {
    const auto* payload = message.PayloadAs<LinkPayload>();
    return payload != nullptr && payload->generation == app_.LinkEvents().Generation();
}

bool CMainFrame::event(QEvent* event) {
    AppMessageEvent* message = AppMessageEvent::From(event);
    if (message == nullptr)
        return QMainWindow::event(event);
    // Every other message was posted after the pushes still waiting.
    if (message->Message() != AppMessage::PushedMessage)
        pushes_->Flush();
    switch (message->Message()) {
        case AppMessage::UiCommand:
            OnUiCommand(static_cast<int>(message->WParam()), message->LParam());
            return true;
        case AppMessage::PushedMessage:
            if (CurrentConnection(*message)) {
                LinkPayload* push = message->PayloadAs<LinkPayload>();
                pushes_->Add(push->generation, std::move(push->text));
            }
            return true;
        case AppMessage::ConnectionLost:
            // A late report of an earlier connection must not clear a live
            // view or close a fresh connection.
            if (CurrentConnection(*message))
                OnConnectionLost(false);
            return true;
        case AppMessage::RelayReceiveEnded:
        case AppMessage::TooManyMissedPings:
            if (CurrentConnection(*message))
                OnConnectionLost(true);
            return true;
        case AppMessage::ShowDisplay:
            if (!app_.Connecting())
                ShowDisplay(static_cast<std::int32_t>(message->LParam()), message->WParam() != 0);
            return true;
        default:
            return true;
    }
}

void CMainFrame::OnUiCommand(int command, std::intptr_t argument) {
    switch (static_cast<UiCommandCode>(command)) {
        case UiCommandCode::Connect:
        case UiCommandCode::ConnectAlternate:
            // A connect asked for during a connect's event-loop turns would
            // run inside it; start-up's connect waits to be taken over.
            if (!app_.Connecting() || app_.EarlyConnectPending())
                ConnectAndLoad(kConnectModeUser);
            return;
        case UiCommandCode::Reconnect:
            if (!app_.Connecting() && !app_.Link().IsConnected())
                ConnectAndLoad(kConnectModeReconnect);
            return;
        case UiCommandCode::ClientOptions:
            if (ShowClientOptions(app_, this) == QDialog::Accepted) {
                app_.SettingsEdited();
                statusBar_->RefreshAfterOptions();
            }
            return;
        case UiCommandCode::Exit:
            RequestExit();
            return;
        case UiCommandCode::Minimise:
            showMinimized();
            return;
        case UiCommandCode::FullScreen:
            CoverScreen();
            show();
            return;
        case UiCommandCode::Lock:
            SetLocked(static_cast<int>(argument));
            return;
        case UiCommandCode::Unlock:
            SetLocked(0);
            return;
        case UiCommandCode::Back:
            Back();
            return;
        case UiCommandCode::Home:
            Home();
            return;
        case UiCommandCode::ServerStatus:
            ShowServerStatus(app_, this);
            return;
        case UiCommandCode::LogView:
            ShowServerLog(app_, this, static_cast<int>(argument));
            return;
        default:
            // Commands above 12 are ignored.
            return;
    }
}

void CMainFrame::SetLocked(int lockMode) {
    lockMode_ = lockMode;
    // The fixed presentation cannot be resized: the frame keeps its size
    // until the normal presentation gives the sizing back.
    statusBar_->SetLockMode(lockMode);
    if (lockMode != 0) {
        setFixedSize(size());
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

void CMainFrame::RequestExit() {
    if (app_.Connecting() || QApplication::activeModalWidget() != nullptr) {
        exitPending_ = true;
        if (!app_.Connecting())
            deferred_.start();
        return;
    }
    programExit_ = true;
    close();
}

void CMainFrame::ResetConnection() {
    if (app_.Connecting())
        return;
    if (QApplication::activeModalWidget() != nullptr) {
        resetPending_ = true;
        deferred_.start();
        return;
    }
    ClearView();
    history_.Clear();
    serverStatus_[3] = 0;
    serverStatus_[4] = 0;
    userDialogs_->CloseAll();
    app_.Link().CloseServerConnection();
    ConnectAndLoad(kConnectModeUser);
}

void CMainFrame::RunDeferred() {
    if (QApplication::activeModalWidget() != nullptr || app_.Connecting())
        return;
    deferred_.stop();
    if (exitPending_) {
        exitPending_ = false;
        programExit_ = true;
        close();
        return;
    }
    if (resetPending_) {
        resetPending_ = false;
        ResetConnection();
    }
}

// --- Connection --------------------------------------------------------------

void CMainFrame::OnConnectionLost(bool closeConnection) {
    ClearView();
    history_.Clear();
    timedReturn_.stop();
    serverStatus_[3] = 0;
    serverStatus_[4] = 0;
    // An answer must never reach another connection.
    userDialogs_->CloseAll();
    statusBar_->ConnectionStateChanged(false);
    if (closeConnection)
        app_.Link().CloseServerConnection();
    if (CZOLClientDoc* doc = app_.Document())
        doc->SetTitle(QStringLiteral("Not Connected"));
}

ConnectOutcome CMainFrame::StartServerConnection(int closeMode, EarlyConnect* early) {
    ClientSettings& s = app_.Settings();
    // The host name is looked up before the window shows where it connects to.
    const ConnectPlan plan = early != nullptr ? early->Plan() : PlanConnect(app_);

    ConnectDialogOptions options;
    options.autoClose = s.autoCloseConnectDialog != 0;
    options.autoCloseSeconds = s.autoCloseConnectDialogTime;
    options.dpi = screenDpi_;
    if (connectDialog_)
        connectDialog_->close();
    auto* dialog = new CServerConnect(options, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connectDialog_ = dialog;

    const EffectiveConnection& connection = plan.connection;
    const std::uint32_t address = plan.target ? ntohl(plan.target->address) : 0;
    dialog->SetHeader(CServerConnect::HeaderFor(
        plan.viaRelay,
        connection.addressKind == kAddressKindHostName ? connection.hostName : std::string(),
        address, connection.serverPort));
    dialog->show();
    dialog->repaint();

    // The window may be closed by the person during the sequence's turns.
    class DialogProgress : public ConnectProgress {
      public:
        explicit DialogProgress(QPointer<CServerConnect>& d) : dialog_(d) {}
        void ReportStage(int stage, StageState state) override {
            if (dialog_)
                dialog_->ReportStage(stage, state);
        }
        void ReportText(int line, const std::string& text) override {
            if (dialog_)
                dialog_->ReportText(line, text);
        }

      private:
        QPointer<CServerConnect>& dialog_;
    } progress(connectDialog_);

    auto promptPassword = [this](std::string& entered) {
        if (password_ == nullptr)
            password_ = new CPassword(this);
        return password_->Ask(entered);
    };
    ConnectOutcome outcome;
    std::string password;
    std::string token;
    if (early != nullptr) {
        EarlyConnect::Handlers handlers{progress, app_.Reporter(), app_.Reporter(), promptPassword};
        // Displays show their icons in the default set unless they name
        // another; the home page built from the display list always does.
        handlers.whileWaiting = [this] {
            WarmUpIconFonts(FindIconSet(app_.Themes().sets, kDefaultLayoutTheme), &app_.Settings());
        };
        EarlyConnect::Result joined = early->Join(handlers, CurrentDesign());
        outcome = std::move(joined.outcome);
        password = std::move(joined.password);
        token = std::move(joined.cloudToken);
    } else {
        ConnectSequenceContext c{app_.Link(), app_.Channel(),  app_.Reporter(), app_.Reporter(),
                                 progress,    CurrentDesign(), app_.Version()};
        FillConnectContext(app_, c);
        c.turnLoop = [] { QCoreApplication::processEvents(QEventLoop::AllEvents); };
        const bool viaRelay = plan.viaRelay;
        c.beforeOpen = [this, viaRelay] { PrepareForOpen(app_, viaRelay); };
        c.promptPassword = promptPassword;
        password = connection.password;
        token = s.agentToken;
        ConnectSequence sequence(std::move(c));
        outcome = sequence.Run(plan.target, connection.hostName, password, token);
    }
    app_.RememberPassword(password);
    s.agentToken = token;
    if (outcome.result == 0) {
        app_.MarkEverConnected();
        setWindowTitle(QStringLiteral("ZOL Client"));
        view_->SetReferenceDpi(outcome.referenceDpi);
        serverStatusKind_ = outcome.status.state;
        serverStatus_ = outcome.status.numbers;
    }
    if (connectDialog_ && (closeMode == 2 || (closeMode == 1 && outcome.result == 0)))
        connectDialog_->close();
    return outcome;
}

int CMainFrame::ConnectAndLoad(int mode) {
    // Start-up's connect, running since before this window was made, is
    // this connect's sequence.
    std::unique_ptr<EarlyConnect> early = app_.TakeEarlyConnect();
    if (app_.Connecting() && !early)
        return -1;
    QPointer<CMainFrame> self(this);
    app_.SetConnecting(true);
    // The load may empty the design: nothing of it may stay on screen.
    ClearView();
    history_.Clear();
    timedReturn_.stop();
    const ConnectOutcome outcome = StartServerConnection(mode, early.get());
    early.reset();
    app_.SetConnecting(false);
    if (!self)
        return -1;
    ++connectsFinished_;
    if (outcome.result != 0) {
        if (outcome.versionRefused) {
            // Reconnecting would be refused again and again.
            app_.Settings().autoReconnect = 0;
            app_.SettingsChanged();
        }
        if (CZOLClientDoc* doc = app_.Document())
            doc->SetTitle(QStringLiteral("Not Connected"));
    } else {
        Design& design = CurrentDesign();
        const std::string keptTime = design.loadedDesignTime;
        RefreshTimeStamp(app_.Channel(), app_.Reporter(), design);
        const DisplayRecord* home = design.HomeDisplay();
        history_.Reset(home != nullptr ? home->displayId : 0);
        if (home != nullptr)
            ShowDisplay(home->displayId, false);
        if (outcome.designChanged)
            RefreshState(app_.Channel(), app_.Reporter(), keptTime);
        const std::int32_t lock = app_.Settings().postConnectLockOption;
        if (lock == 1 || lock == 2)
            PostAppMessage(this, AppMessage::UiCommand,
                           static_cast<std::intptr_t>(UiCommandCode::Lock), lock);
        StartWatch();
    }
    statusBar_->ConnectionStateChanged(outcome.result == 0);
    emit ConnectFinished(outcome.result);
    if (exitPending_ || resetPending_)
        deferred_.start();
    return outcome.result;
}

void CMainFrame::StartWatch() {
    if (watch_)
        return;
    ConnectionWatchHooks hooks;
    CZOLClientApp* app = &app_;
    ServerLink* link = &app_.Link();
    hooks.everConnected = [app] { return app->EverConnected(); };
    hooks.connecting = [app] { return app->Connecting(); };
    hooks.connected = [link] { return link->IsConnected(); };
    const PublishedWatchSettings* settings = &app_.WatchSettingsChannel();
    hooks.ping = [link, app](std::int32_t minutes) {
        // Looked at again just before sending: a connect may have begun
        // since the watch looked.
        if (app->Connecting())
            return;
        std::int32_t code = 0;
        std::string reply;
        link->SendRequest(FieldList{"ZOLApp", "Ping", std::to_string(minutes)}.Message(), code,
                          reply);
    };
    hooks.wakePing = [link] { link->Requests().WakeWaiters(); };
    hooks.postReconnect = [this] {
        PostAppMessage(this, AppMessage::UiCommand,
                       static_cast<std::intptr_t>(UiCommandCode::Reconnect), 0);
    };
    watch_ = std::make_unique<ConnectionWatch>(*settings, std::move(hooks));
    watch_->Start();
}

void CMainFrame::StopWatch() {
    if (watch_)
        watch_->Stop();
}

CServerConnect* CMainFrame::ConnectDialog() const {
    return connectDialog_.data();
}

bool CMainFrame::WatchRunning() const {
    return watch_ && watch_->Running();
}

// --- Navigation ----------------------------------------------------------------

void CMainFrame::ClearView() {
    // Open pop-ups show records of the display and the design: they go first.
    CloseAllControlPopups();
    view_->ClearCurrentDisplay();
}

void CMainFrame::ShowOnView(std::int32_t displayId) {
    CloseAllControlPopups();
    view_->LeaveDisplay();
    view_->ShowDisplay(displayId);
}

void CMainFrame::ShowDisplay(std::int32_t displayId, bool force) {
    // Showing a display may run an event loop (tiles load, programs start):
    // a request arriving meanwhile waits for this one to finish.
    queuedShows_.emplace_back(displayId, force);
    if (showing_)
        return;
    QPointer<CMainFrame> self(this);
    showing_ = true;
    while (!queuedShows_.empty()) {
        const auto [id, f] = queuedShows_.front();
        queuedShows_.pop_front();
        ShowNow(id, f);
        if (!self)
            return;
    }
    showing_ = false;
}

void CMainFrame::ShowNow(std::int32_t displayId, bool force) {
    const DisplayRecord* display = CurrentDesign().FindDisplay(displayId);
    if (display == nullptr)
        return;
    if (display->isHome != 0) {
        history_.Reset(displayId);
        if (view_->CurrentDisplayId() != displayId)
            ShowOnView(displayId);
    } else if (view_->CurrentDisplayId() == displayId) {
        if (!force)
            return;
        view_->RefreshDisplayTiles();
    } else {
        if (!history_.Push(displayId))
            return;
        ShowOnView(displayId);
    }
    NavigationChanged();
}

int CMainFrame::RunControlPanel() {
    ControlPanelServices services;
    services.design = [this]() -> Design* { return &CurrentDesign(); };
    services.settings = &app_.Settings();
    services.connected = app_.Link().IsConnected();
    services.connectedBefore = app_.EverConnected();
    services.currentHomeMode = homeMode_;
    services.currentSchedule = schedule_;
    services.lock = static_cast<LockState>(std::clamp(lockMode_, 0, 2));
    QPointer<CMainFrame> self(this);
    services.setHomeMode = [this, self](int mode) {
        WaitCursor wait(app_.Reporter());
        if (SetHomeMode(app_.Channel(), app_.Reporter(), mode) == 0 && self) {
            homeMode_ = mode;
            statusBar_->HomeModeChanged(mode);
        }
    };
    services.setCurrentSchedule = [this, self](int schedule) {
        WaitCursor wait(app_.Reporter());
        if (SetCurrentSchedule(app_.Channel(), app_.Reporter(), schedule) == 0 && self)
            schedule_ = schedule;
    };
    services.checkUnlockCode = [this] { return statusBar_->UnlockCodeAccepted(); };
    services.mainFrame = this;
    services.screenDpi = screenDpi_;
    services.designDpi = view_->ReferenceDpi();
    services.version = app_.Version();
    return OpenControlPanel(services, this);
}

void CMainFrame::NavigationChanged() {
    PostAppMessage(statusBar_, AppMessage::ShowDisplay);
}

void CMainFrame::Back() {
    if (!history_.Back())
        return;
    ShowOnView(history_.Top());
    NavigationChanged();
}

void CMainFrame::Home() {
    if (history_.Count() == 0)
        return;
    history_.Clear();
    ShowOnView(history_.Home());
    NavigationChanged();
}

void CMainFrame::StartTimedDisplay(std::int32_t displayId, std::int64_t milliseconds) {
    timedDisplayId_ = displayId;
    timedReturn_.start(static_cast<int>(std::clamp<std::int64_t>(milliseconds, 0, INT32_MAX)));
}

void CMainFrame::OnTimedReturn() {
    timedReturn_.stop();
    // Only from the timed display itself: a display the person went on to
    // stays.
    if (history_.Count() > 0 && history_.Top() == timedDisplayId_)
        PostBack();
}

void CMainFrame::PostBack() {
    PostAppMessage(this, AppMessage::UiCommand, static_cast<std::intptr_t>(UiCommandCode::Back), 0);
}

// --- DispatchTarget ------------------------------------------------------------

bool CMainFrame::ConnectInProgress() const {
    return app_.Connecting();
}

int CMainFrame::ServerMajor() const {
    return app_.Link().Greeting().serverMajor;
}

Design& CMainFrame::CurrentDesign() {
    return app_.Document()->GetDesign();
}

std::int32_t CMainFrame::CurrentDisplayId() const {
    return view_->CurrentDisplayId();
}

void CMainFrame::ObjectChanged(std::int32_t id) {
    view_->ObjectChanged(id);
}

void CMainFrame::UpdateTilesNamed(std::string_view tileName) {
    view_->UpdateTilesNamed(tileName);
}

void CMainFrame::RefreshCurrentDisplay() {
    view_->RefreshDisplayTiles();
}

void CMainFrame::WakeScreen() {
    if (app_.Settings().wakeUpMonitorOnChange != 0 && waker_)
        waker_->Wake();
}

void CMainFrame::SetServerStatus(std::int32_t kind, const std::array<std::int32_t, 5>& numbers) {
    serverStatusKind_ = kind;
    serverStatus_ = numbers;
    statusBar_->ServerStatusChanged(kind, numbers);
}

void CMainFrame::OpenUserDialog(std::string_view message) {
    std::vector<FieldValue> fields;
    if (DecodeFieldList(message, fields) != kFieldListOk)
        return;
    userDialogs_->Open(UserDialogRequestFromPush(fields));
}

// --- StatusBarSource -------------------------------------------------------------

std::string CMainFrame::CurrentDisplayCaption() const {
    const DisplayRecord* display =
        app_.Document() != nullptr
            ? app_.Document()->GetDesign().FindDisplay(view_->CurrentDisplayId())
            : nullptr;
    return display != nullptr ? display->caption : std::string();
}

std::string CMainFrame::DesignTitle() const {
    return app_.Document() != nullptr ? ToWindows1252(app_.Document()->Title()) : std::string();
}

bool CMainFrame::Connecting() const {
    return app_.Connecting();
}

std::string CMainFrame::FormatText(std::string_view text) {
    std::string formatted(text);
    RequestFormattedText(app_.Channel(), app_.Reporter(), text, true, formatted);
    return formatted;
}

// --- Closing -------------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (app_.Connecting()) {
        // The connect sequence is still on the stack: close when it returns.
        exitPending_ = true;
        event->ignore();
        return;
    }
    // Under the lock only the program's own exits pass; the window
    // manager's close and Alt+F4 obey the Exit button's rule.
    const bool programExit = std::exchange(programExit_, false);
    if (!statusBar_->ExitAllowed(programExit)) {
        event->ignore();
        return;
    }
    userDialogs_->CloseAll();
    // Closing order. 1: stop the connection-watch task (a ping it is
    // waiting for is woken). 2: close the server connection, and with it
    // the relay. 3: clear the view's current display.
    StopWatch();
    app_.Link().CloseServerConnection();
    ClearView();
    // A connect window left open for the person goes with the frame.
    if (connectDialog_)
        connectDialog_->close();
    // 4: keep the window placement for the settings saved at exit.
    app_.Settings().placement = CurrentPlacement(app_.Settings().placement);
    // 5: let the frame close.
    event->accept();
}

}  // namespace zol
