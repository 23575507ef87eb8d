// The answers of the client's alert dialog, and the alert with its hint
// check box, which a run of several copies uses to stop asking.
#pragma once

#include <string_view>

#include "client/model/alert_kind.h"

namespace zol {

// The standard OK, Yes and No results of the alert dialog.
inline constexpr int kAlertAnswerOk = 1;
inline constexpr int kAlertAnswerYes = 6;
inline constexpr int kAlertAnswerNo = 7;

class HintAlertReporter {
  public:
    virtual ~HintAlertReporter() = default;
    // The alert of `kind` with its hint check box labelled `hintLabel`;
    // returns the answer, and in `hintChecked` whether the box was ticked.
    virtual int ShowAlertWithHint(AlertKind kind, std::string_view text, std::string_view hintLabel,
                                  bool& hintChecked) = 0;
};

}  // namespace zol
