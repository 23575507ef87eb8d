#include "client/core/main_frame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>

#include "client/core/app_messages.h"
#include "client/core/color_ref.h"
#include "client/core/dpi_scale.h"
#include "client/core/zol_client_app.h"
#include "client/display/zol_client_view.h"

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

    view_ = new CZOLClientView(FromColorRef(static_cast<std::uint32_t>(s.backgroundColor)),
                               FromColorRef(static_cast<std::uint32_t>(s.textColor)), screenDpi_,
                               splitter_);
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

WindowPlacement CMainFrame::CurrentPlacement(const WindowPlacement& saved) const {
    WindowPlacement p = saved;
    p.flags = 0;
    p.showCmd = isMinimized() ? kShowMinimized : (isMaximized() ? kShowMaximized : kShowNormal);
    QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    p.normalPosition = ToPlacementRect(normal);
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
            showMaximized();
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
