#include "client/core/main_frame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>

#include "client/core/app_messages.h"
#include "client/core/zol_client_app.h"
#include "client/core/zol_client_doc.h"
#include "client/display/zol_client_view.h"
#include "guibase/color_ref.h"
#include "guibase/dpi_scale.h"

namespace zol {

namespace {

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
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateClient() {
    const ClientSettings& s = app_.Settings();
    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setChildrenCollapsible(false);
    splitter_->setHandleWidth(0);

    // Placeholder for CTUIStatusBar (status bar and UI lock work), which also
    // brings its refresh timer 14 (500 ms) that the frame starts here.
    statusBarRow_ = new QWidget(splitter_);
    statusBarRow_->setObjectName(QStringLiteral("statusBarRow"));
    statusBarRow_->setAutoFillBackground(true);
    QPalette barPalette = statusBarRow_->palette();
    barPalette.setColor(QPalette::Window,
                        FromColorRef(static_cast<std::uint32_t>(s.backgroundColor)).darker(160));
    statusBarRow_->setPalette(barPalette);
    statusBarRow_->setFixedHeight(ScalePixels(kStatusBarRowHeight, screenDpi_));

    DisplayServices services;
    services.design = [this]() -> Design* {
        return app_.Document() != nullptr ? &app_.Document()->GetDesign() : nullptr;
    };
    services.settings = &app_.Settings();
    services.channel = &app_.Channel();
    services.reporter = &app_.Reporter();
    services.mainFrame = [this]() -> QObject* { return this; };
    services.historyCount = [this] { return historyCount_; };
    services.refreshAllowed = [this] { return app_.Link().IsConnected(); };
    services.iconSets = [this](std::string_view name) {
        return FindIconSet(app_.Themes().sets, name);
    };
    services.screenDpi = screenDpi_;
    view_ = new CZOLClientView(std::move(services), splitter_);
    view_->setObjectName(QStringLiteral("mainView"));
    splitter_->addWidget(statusBarRow_);
    splitter_->addWidget(view_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    // A static splitter: the rows cannot be dragged.
    if (QSplitterHandle* handle = splitter_->handle(1))
        handle->setEnabled(false);
    setCentralWidget(splitter_);
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

bool CMainFrame::event(QEvent* event) {
    AppMessageEvent* message = AppMessageEvent::From(event);
    if (message == nullptr)
        return QMainWindow::event(event);
    switch (message->Message()) {
        case AppMessage::UiCommand:
            OnUiCommand(static_cast<int>(message->WParam()), message->LParam());
            return true;
        case AppMessage::PushedMessage:
            // Decoded by the notification dispatch (later work); the frame
            // copy is freed with the event.
            return true;
        case AppMessage::ConnectionLost:
        case AppMessage::RelayReceiveEnded:
        case AppMessage::TooManyMissedPings:
            // Connection lost: no display, empty history. Closing the server
            // connection arrives with the server link.
            view_->ClearCurrentDisplay();
            historyCount_ = 0;
            return true;
        case AppMessage::ShowDisplay:
            // Navigation arrives with the display model.
            return true;
        default:
            return true;
    }
}

void CMainFrame::OnUiCommand(int command, std::intptr_t argument) {
    (void)argument;
    switch (static_cast<UiCommandCode>(command)) {
        case UiCommandCode::Connect:
        case UiCommandCode::ConnectAlternate:
            ++connectRequests_;
            view_->SetNotice(QStringLiteral(
                "Not Connected\n\nConnecting to the server arrives with the connect sequence."));
            return;
        case UiCommandCode::Exit:
            close();
            return;
        case UiCommandCode::Minimise:
            showMinimized();
            return;
        case UiCommandCode::FullScreen:
            CoverScreen();
            show();
            return;
        default:
            // Commands above 12 are ignored; the others (options, lock,
            // navigation, tool windows) arrive with their windows.
            return;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Closing order. 1: stop the connection-watch task (it arrives with the
    // connection watch). 2: close the server connection, and with it the
    // relay (arrives with the server link in the client).
    // 3: clear the view's current display.
    view_->ClearCurrentDisplay();
    // 4: keep the window placement for the settings saved at exit.
    app_.Settings().placement = CurrentPlacement(app_.Settings().placement);
    // 5: let the frame close.
    event->accept();
}

}  // namespace zol
