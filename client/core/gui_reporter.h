// What the model tells the person, shown with the client's own windows:
// plain messages in a message box, alerts in the alert dialog, the wait
// cursor as the application's override cursor.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QString>

#include <functional>

#include "client/model/hint_alert.h"
#include "client/model/user_reporter.h"

namespace zol {

class GuiUserReporter : public UserReporter, public HintAlertReporter {
  public:
    // `messageBox` shows one text with an OK button (tests collect them).
    explicit GuiUserReporter(std::function<void(const QString&)> messageBox);

    void ShowMessage(std::string_view text) override;
    int ShowAlert(AlertKind kind, std::string_view text) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    int ShowAlertWithHint(AlertKind kind, std::string_view text, std::string_view hintLabel,
                          bool& hintChecked) override;

    // While quiet (tests, screenshots), alerts answer OK at once.
    void SetQuiet(bool quiet) { quiet_ = quiet; }

  private:
    std::function<void(const QString&)> messageBox_;
    bool quiet_ = false;
};

}  // namespace zol
