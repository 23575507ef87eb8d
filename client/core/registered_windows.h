// The windows that asked for pushes (the open control pop-up keeps its own
// registry, ControlPopups()): the log window ("LogAdd") and the
// extended-status tiles ("ExtServerStatus", every status tile shown). Each
// is held as a QPointer, so a window that is destroyed unregisters itself,
// and a post to it is freed instead of delivered. Unregistering a window
// that is not the registered one does nothing.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QObject>
#include <QPointer>

#include "client/core/extended_status_receivers.h"

namespace zol {

class RegisteredWindows {
  public:
    void RegisterLogWindow(QObject* window) { log_ = window; }
    void UnregisterLogWindow(QObject* window) { Unregister(log_, window); }
    QObject* LogWindow() const { return log_.data(); }

    ExtendedStatusReceivers& StatusTiles() { return statusTiles_; }

  private:
    static void Unregister(QPointer<QObject>& slot, QObject* window) {
        if (slot.data() == window)
            slot.clear();
    }

    QPointer<QObject> log_;
    ExtendedStatusReceivers statusTiles_;
};

}  // namespace zol
