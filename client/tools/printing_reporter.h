// The reporter of the screenshot tools: messages go to standard error, as a
// screenshot run has no one to click OK.
#pragma once

#include <cstdio>
#include <string_view>

#include "client/model/user_reporter.h"

namespace zol::tools {

class PrintingReporter : public UserReporter {
  public:
    void ShowMessage(std::string_view text) override {
        std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
    }
    int ShowAlert(AlertKind, std::string_view text) override {
        ShowMessage(text);
        return 1;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
};

}  // namespace zol::tools
