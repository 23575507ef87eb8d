// A reporter that shows nothing: messages and alerts are dropped (alerts
// answer OK), the wait cursor still goes to the reporter it wraps. For work
// that must stay quiet, such as the copies at connect and pushed sounds.
#pragma once

#include "client/model/hint_alert.h"
#include "client/model/user_reporter.h"

namespace zol {

class QuietReporter : public UserReporter {
  public:
    explicit QuietReporter(UserReporter& inner) : inner_(inner) {}
    void ShowMessage(std::string_view) override {}
    int ShowAlert(AlertKind, std::string_view) override { return kAlertAnswerOk; }
    void BeginWaitCursor() override { inner_.BeginWaitCursor(); }
    void EndWaitCursor() override { inner_.EndWaitCursor(); }

  private:
    UserReporter& inner_;
};

}  // namespace zol
