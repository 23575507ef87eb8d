// ScreenWaker: brings the screen back when the server changes what it
// shows. It asks the desktop's screen saver to count this as user activity
// (D-Bus org.freedesktop.ScreenSaver SimulateUserActivity, when the client
// is built with Qt D-Bus and a session bus offers it), else turns the
// monitor on with "xset dpms force on" when xset is installed, else does
// nothing. It never closes a window: the foreground window may be another
// program or one of our own dialogs.
#pragma once

namespace zol {

class Launcher;

class ScreenWaker {
  public:
    explicit ScreenWaker(Launcher& launcher) : launcher_(launcher) {}
    virtual ~ScreenWaker() = default;

    virtual void Wake();

  private:
    Launcher& launcher_;
};

}  // namespace zol
