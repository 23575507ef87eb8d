// CMainFrame: the client's main window, without title bar. Its client area
// is a fixed splitter of two rows: the status-bar row (50 px at 96 dpi) over
// the main view. It is the hub of the client: it connects and loads, keeps
// the navigation history, shows displays, returns from a timed display,
// reacts to a lost connection, runs the connection watch, hands pushes to
// the dispatcher and carries out the closing order.
//
// Re-entrancy: the connect sequence and modal boxes run nested event loops.
// While a connect runs, connect commands and show requests are dropped and
// an exit waits until the sequence returns; an exit or a reset asked for by
// the server during a modal box waits for the outer loop; a show request
// that arrives while a display is being shown is queued behind it. Pushes
// are applied in order through a PushQueue, a few milliseconds per turn of
// the loop, and all before any later message to the frame.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

#include "client/core/dispatch_target.h"
#include "client/core/navigation_history.h"
#include "client/core/push_hooks.h"
#include "client/core/registered_windows.h"
#include "client/core/window_placement.h"
#include "client/popups/status_bar_source.h"

class QSplitter;

namespace zol {

class AppMessageEvent;
class CPassword;
class CServerConnect;
class CTUIStatusBar;
class EarlyConnect;
class UserDialogHost;
class CZOLClientApp;
class CZOLClientView;
class ConnectionWatch;
class NotificationDispatcher;
class PushQueue;
class ScreenWaker;
struct ConnectOutcome;

inline constexpr int kStatusBarRowHeight = 50;  // at 96 dpi

// Connect modes: a user or start-up connect, and a reconnect.
inline constexpr int kConnectModeUser = 0;
inline constexpr int kConnectModeReconnect = 2;

class CMainFrame : public QMainWindow, public DispatchTarget, public StatusBarSource {
    Q_OBJECT
  public:
    CMainFrame(CZOLClientApp& app, int screenDpi);
    ~CMainFrame() override;

    int ScreenDpi() const { return screenDpi_; }
    CZOLClientView* View() const { return view_; }
    QWidget* StatusBarRow() const;
    CTUIStatusBar* StatusBar() const { return statusBar_; }
    UserDialogHost* UserDialogs() const { return userDialogs_.get(); }
    QSplitter* Splitter() const { return splitter_; }

    // The placement record of this window now, and applying one before the
    // window is shown: the normal rectangle, repaired against the screen,
    // and the show state (maximised or full screen; anything else normal).
    WindowPlacement CurrentPlacement(const WindowPlacement& saved) const;
    void ApplyPlacement(const WindowPlacement& placement);

    // Connect and load: 0 when connected with the home display shown.
    int ConnectAndLoad(int mode);
    // Connect attempts finished since start, successful or not.
    int ConnectsFinished() const { return connectsFinished_; }

    // Navigation.
    const NavigationHistory& History() const { return history_; }
    int HistoryCount() const override { return history_.Count(); }
    void Back();
    void Home();
    std::int32_t TimedDisplayId() const { return timedDisplayId_; }
    bool TimedReturnPending() const { return timedReturn_.isActive(); }

    int LockMode() const { return lockMode_; }
    std::int32_t ServerStatusKind() const { return serverStatusKind_; }
    const std::array<std::int32_t, 5>& ServerStatusNumbers() const { return serverStatus_; }

    RegisteredWindows& Registered() { return registered_; }
    // "Update" pushes applied since the last SetPushHooks.
    std::uint64_t UpdatesApplied() const;
    // Where speech and sounds of pushes go (set by whoever owns them).
    void SetPushHooks(PushHooks hooks);
    void SetScreenWaker(std::unique_ptr<ScreenWaker> waker);
    bool WatchRunning() const;
    // The connect window while it is open.
    CServerConnect* ConnectDialog() const;

    // DispatchTarget
    bool ConnectInProgress() const override;
    int ServerMajor() const override;
    Design& CurrentDesign() override;
    std::int32_t CurrentDisplayId() const override;
    std::int32_t HistoryTop() const override { return history_.Top(); }
    void ShowDisplay(std::int32_t displayId, bool force) override;
    void StartTimedDisplay(std::int32_t displayId, std::int64_t milliseconds) override;
    void PostBack() override;
    void ObjectChanged(std::int32_t id) override;
    void UpdateTilesNamed(std::string_view tileName) override;
    void RefreshCurrentDisplay() override;
    void WakeScreen() override;
    void SetServerStatus(std::int32_t kind, const std::array<std::int32_t, 5>& numbers) override;
    void ResetConnection() override;
    void RequestExit() override;
    void OpenUserDialog(std::string_view message) override;

    // StatusBarSource
    std::string CurrentDisplayCaption() const override;
    std::string DesignTitle() const override;
    bool Connecting() const override;
    std::string FormatText(std::string_view text) override;

  signals:
    // A connect and load ended (result 0: connected).
    void ConnectFinished(int result);

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateClient();
    QRect NormalRect() const;
    QRect ScreenRect() const;
    // Full screen (UI command 6): the whole screen, keeping the rectangle to
    // return to for the placement saved at close.
    void CoverScreen();
    void OnUiCommand(int command, std::intptr_t argument);
    void SetLocked(int lockMode);
    // Whether a link report belongs to the connection open now.
    bool CurrentConnection(const AppMessageEvent& message) const;
    void OnConnectionLost(bool closeConnection);
    // Runs the connect sequence with its window; closes the window by mode.
    // With `early`, joins start-up's connect instead of running one.
    ConnectOutcome StartServerConnection(int closeMode, EarlyConnect* early);
    void StartWatch();
    void StopWatch();
    // Leaves the shown display and shows `displayId`.
    void ShowOnView(std::int32_t displayId);
    // Closes the open pop-ups, then clears the view's display.
    void ClearView();
    void ShowNow(std::int32_t displayId, bool force);
    void OnTimedReturn();
    // Tells the status bar that the display or the history changed.
    void NavigationChanged();
    // The control panel that the status bar's panel button opens.
    int RunControlPanel();
    // Runs what the server asked for during a modal box once it is closed.
    void RunDeferred();

    CZOLClientApp& app_;
    int screenDpi_;
    QSplitter* splitter_ = nullptr;
    CTUIStatusBar* statusBar_ = nullptr;
    std::unique_ptr<UserDialogHost> userDialogs_;
    // An exit the program itself started (UI command 4, "ClientOperation" 1)
    // passes the lock; a close request from outside does not.
    bool programExit_ = false;
    CZOLClientView* view_ = nullptr;

    NavigationHistory history_;
    bool showing_ = false;
    std::deque<std::pair<std::int32_t, bool>> queuedShows_;
    std::int32_t timedDisplayId_ = 0;
    QTimer timedReturn_;  // timer 15
    int lockMode_ = 0;
    std::int32_t serverStatusKind_ = 1;
    std::array<std::int32_t, 5> serverStatus_{};
    // The last home mode and schedule set successfully.
    std::int32_t homeMode_ = 0;
    std::int32_t schedule_ = 0;

    RegisteredWindows registered_;
    std::unique_ptr<NotificationDispatcher> dispatcher_;
    PushQueue* pushes_ = nullptr;  // owned as a child
    std::unique_ptr<ScreenWaker> waker_;
    std::unique_ptr<ConnectionWatch> watch_;
    QPointer<CServerConnect> connectDialog_;
    CPassword* password_ = nullptr;  // made at the first prompt, then reused

    bool exitPending_ = false;
    bool resetPending_ = false;
    QTimer deferred_;  // looks for the end of a modal box
    int connectsFinished_ = 0;
    // Guards the user-dialog flag once server-driven dialogs exist.
    std::mutex frameLock_;
    bool fullScreen_ = false;
    QRect normalBeforeFullScreen_;
};

}  // namespace zol
