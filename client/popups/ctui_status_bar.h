// CTUIStatusBar: the strip above the main view. It shows the server's state
// as its colour, the home mode on the control-panel button, navigation and
// window buttons and three text slots, lets the user drag the window, and
// keeps the interface lock (full or partial) with its unlock code.
//
// The main frame creates it in its status row and tells it what changes:
// ConnectionStateChanged, ServerStatusChanged, HomeModeChanged, SetLockMode
// (UI commands 7 and 8), RefreshAfterOptions, and WM_APP+0x10 after a
// display change. The frame asks ExitAllowed before closing.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "client/popups/status_bar_texts.h"

namespace zol {

class CTUIButton;
class CZOLClientApp;
class Clock;
class StatusBarSource;
struct ClientSettings;

inline constexpr int kStatusBarTimerId = 14;
inline constexpr int kStatusBarRefreshMs = 500;

// Lock modes.
inline constexpr int kUnlocked = 0;
inline constexpr int kFullLock = 1;
inline constexpr int kPartialLock = 2;

class CTUIStatusBar : public QWidget {
    Q_OBJECT
  public:
    struct Environment {
        ClientSettings* settings = nullptr;
        Clock* clock = nullptr;             // null: the bar runs its own real clock
        StatusBarSource* source = nullptr;  // may be set later
        QObject* commandTarget = nullptr;   // null: the window the bar is in
        // Asks for the unlock code; null asks with the number pad.
        std::function<std::optional<std::string>()> askUnlockCode;
        // Runs the control panel modally and returns its result (0 none).
        std::function<int()> runControlPanel;
    };

    CTUIStatusBar(CZOLClientApp& app, int dpi, QWidget* parent = nullptr);
    CTUIStatusBar(Environment environment, int dpi, QWidget* parent = nullptr);
    ~CTUIStatusBar() override;

    void SetSource(StatusBarSource* source) { env_.source = source; }
    void SetControlPanelRunner(std::function<int()> run) { env_.runControlPanel = std::move(run); }

    // What the frame tells the bar.
    void ConnectionStateChanged(bool connected);
    // The status kind (1 normal, 2 warning, 3 fault) and the five numbers.
    void ServerStatusChanged(int statusKind, const std::array<std::int32_t, 5>& numbers);
    // Home modes 0 to 2 have a picture; others are ignored.
    void HomeModeChanged(int mode);
    // 0 unlocked (UI command 8), 1 full lock, 2 partial lock (UI command 7).
    void SetLockMode(int mode);
    // After the client options changed: font, colours and texts anew.
    void RefreshAfterOptions();
    // Whether the main window may close. Exits the program starts itself are
    // always allowed; under a full lock no other is; otherwise the unlock
    // code is asked for when the exit password is on.
    bool ExitAllowed(bool programInitiated);
    // With the exit password on, asks for the unlock code; true when it is
    // right (or no code is asked for).
    bool UnlockCodeAccepted();

    // Timer 14's work; public for tests.
    void Refresh();

    // State, for the frame and for tests.
    int LockMode() const { return lockMode_; }
    int StateIndex() const { return stateIndex_; }
    QColor StateColor() const;
    const std::array<std::int32_t, 5>& ServerNumbers() const { return serverNumbers_; }
    const SlotTexts& Slots() const { return slots_; }
    const StatusBarTexts& Texts() const { return texts_; }
    CTUIButton* ControlPanelButton() const { return panel_; }
    CTUIButton* BackButton() const { return back_; }
    CTUIButton* UpButton() const { return up_; }
    CTUIButton* DownButton() const { return down_; }
    CTUIButton* MinimiseButton() const { return minimise_; }
    CTUIButton* MaximiseButton() const { return maximise_; }
    CTUIButton* ExitButton() const { return exit_; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    CTUIButton* AddButton(const char* picture);
    void PlaceButtons();
    void ShowWindowButtons();
    void ApplyFont();
    void ApplyStateColor();
    void NavigationChanged();
    void Scroll(int rows);
    void OnControlPanel();
    void OnExit();
    void PostCommand(int command, int argument = 0);
    std::array<QRect, 3> SlotRects() const;
    std::string DateTimeNow() const;
    int Px(int pixelsAt96) const;

    Environment env_;
    std::unique_ptr<Clock> ownClock_;
    int dpi_;
    StatusBarTexts texts_;
    SlotTexts slots_;
    QFont statusFont_;
    QColor textColor_;
    int stateIndex_ = 0;
    int serverStatusKind_ = 1;
    std::array<std::int32_t, 5> serverNumbers_{};
    bool connected_ = false;
    bool everConnected_ = false;
    int homeMode_ = 0;
    int lockMode_ = kUnlocked;
    bool dragging_ = false;
    QPoint dragOffset_;

    CTUIButton* panel_ = nullptr;
    CTUIButton* back_ = nullptr;
    CTUIButton* up_ = nullptr;
    CTUIButton* down_ = nullptr;
    CTUIButton* minimise_ = nullptr;
    CTUIButton* maximise_ = nullptr;
    CTUIButton* exit_ = nullptr;
};

}  // namespace zol
