// What the control panel (CTUISystem) takes from the main frame and the
// status bar that open it.
#pragma once

#include <QObject>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>

namespace zol {

struct ClientSettings;
struct Design;

enum class LockState { Unlocked = 0, Locked = 1, SizeLocked = 2 };

struct ControlPanelServices {
    std::function<Design*()> design;
    const ClientSettings* settings = nullptr;
    bool connected = false;
    bool connectedBefore = false;  // "Reconnect" instead of "Connect"
    std::int32_t currentHomeMode = 0;
    std::int32_t currentSchedule = 0;
    LockState lock = LockState::Unlocked;
    // The main frame's SetHomeMode and SetCurrentSchedule requests.
    std::function<void(int mode)> setHomeMode;
    std::function<void(int schedule)> setCurrentSchedule;
    // Asks for the unlock code; true when it was right.
    std::function<bool()> checkUnlockCode;
    // Receives the lock and unlock commands (WM_APP+0x11).
    QPointer<QObject> mainFrame;
    int screenDpi = 96;
    int designDpi = 96;                   // the design's reference DPI
    std::array<int, 3> version{0, 0, 0};  // of the program file
};

}  // namespace zol
