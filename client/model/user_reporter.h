// What the model tells the person: message boxes, alerts and the wait
// cursor. The GUI implements it with its dialogs; tests record the calls.
// Texts are the wire's single-byte texts; the GUI converts them for display.
#pragma once

#include <string_view>

#include "client/model/alert_kind.h"

namespace zol {

class UserReporter {
  public:
    virtual ~UserReporter() = default;

    // A message box with an OK button only; returns when it is closed.
    virtual void ShowMessage(std::string_view text) = 0;
    // The client's alert dialog of `kind`; returns its result (OK, Yes, No).
    virtual int ShowAlert(AlertKind kind, std::string_view text) = 0;
    // Nested begin/end pairs keep the wait cursor until the outermost ends.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};

// Shows the wait cursor for the life of the guard.
class WaitCursor {
  public:
    explicit WaitCursor(UserReporter& reporter) : reporter_(reporter) {
        reporter_.BeginWaitCursor();
    }
    ~WaitCursor() { reporter_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    UserReporter& reporter_;
};

}  // namespace zol
