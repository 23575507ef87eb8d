// A reporter that keeps quiet: the wait cursor still shows, messages and
// alerts are dropped. What refresh ticks pass to shared code that reports.
#pragma once

#include "client/model/user_reporter.h"

namespace zol {

class SilentReporter : public UserReporter {
  public:
    explicit SilentReporter(UserReporter& inner) : inner_(inner) {}
    void ShowMessage(std::string_view) override {}
    int ShowAlert(AlertKind, std::string_view) override { return 0; }
    void BeginWaitCursor() override { inner_.BeginWaitCursor(); }
    void EndWaitCursor() override { inner_.EndWaitCursor(); }

  private:
    UserReporter& inner_;
};

}  // namespace zol
