// The windows that asked for pushes: the open control pop-up ("Update"
// posts it the changed object), the log window ("LogAdd") and the
// extended-status tile ("ExtServerStatus"). Each is held as a QPointer, so a
// window that is destroyed unregisters itself, and a post to it is freed
// instead of delivered. Unregistering a window that is not the registered
// one does nothing.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QObject>
#include <QPointer>

namespace zol {

class RegisteredWindows {
  public:
    void RegisterPopup(QObject* window) { popup_ = window; }
    void UnregisterPopup(QObject* window) { Unregister(popup_, window); }
    QObject* Popup() const { return popup_.data(); }

    void RegisterLogWindow(QObject* window) { log_ = window; }
    void UnregisterLogWindow(QObject* window) { Unregister(log_, window); }
    QObject* LogWindow() const { return log_.data(); }

    void RegisterExtendedStatusTile(QObject* tile) { extendedStatus_ = tile; }
    void UnregisterExtendedStatusTile(QObject* tile) { Unregister(extendedStatus_, tile); }
    QObject* ExtendedStatusTile() const { return extendedStatus_.data(); }

  private:
    static void Unregister(QPointer<QObject>& slot, QObject* window) {
        if (slot.data() == window)
            slot.clear();
    }

    QPointer<QObject> popup_;
    QPointer<QObject> log_;
    QPointer<QObject> extendedStatus_;
};

}  // namespace zol
