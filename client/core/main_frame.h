// CMainFrame: the client's main window, without title bar. Its client area
// is a fixed splitter of two rows: the status-bar row (50 px at 96 dpi) over
// the main view. It receives the application messages meant for the main
// frame and carries out the closing order.
#pragma once

#include <QMainWindow>
#include <QRect>

#include <array>
#include <cstdint>
#include <mutex>

#include "client/core/window_placement.h"

class QSplitter;

namespace zol {

class CZOLClientApp;
class CZOLClientView;

inline constexpr int kStatusBarRowHeight = 50;  // at 96 dpi
inline constexpr int kMaxHistoryDisplays = 15;

class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    CMainFrame(CZOLClientApp& app, int screenDpi);
    ~CMainFrame() override;

    int ScreenDpi() const { return screenDpi_; }
    CZOLClientView* View() const { return view_; }
    QWidget* StatusBarRow() const { return statusBarRow_; }
    QSplitter* Splitter() const { return splitter_; }

    // The placement record of this window now, and applying one before the
    // window is shown: the normal rectangle, repaired against the screen,
    // and the show state (maximised or full screen; anything else normal).
    WindowPlacement CurrentPlacement(const WindowPlacement& saved) const;
    void ApplyPlacement(const WindowPlacement& placement);

    // Connect requests received (UI commands 0 and 1); the connect sequence
    // that will serve them arrives with the main-frame control work.
    int ConnectRequests() const { return connectRequests_; }

    // Displays in the navigation history beyond the home display (0 to 15);
    // the view's home return leaves a display only when there is one.
    int HistoryCount() const { return historyCount_; }

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

    CZOLClientApp& app_;
    int screenDpi_;
    QSplitter* splitter_ = nullptr;
    QWidget* statusBarRow_ = nullptr;
    CZOLClientView* view_ = nullptr;

    // Navigation history: slot 0 the home display, then up to 15 more.
    std::int32_t homeDisplayId_ = 0;
    std::array<std::int32_t, kMaxHistoryDisplays + 1> history_{};
    int historyCount_ = 0;
    // Guards the user-dialog flag once server-driven dialogs exist.
    std::mutex frameLock_;
    int connectRequests_ = 0;
    bool fullScreen_ = false;
    QRect normalBeforeFullScreen_;
};

}  // namespace zol
