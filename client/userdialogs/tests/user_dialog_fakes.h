// Records the reports the dialogs send.
#pragma once

#include <vector>

#include "client/userdialogs/user_dialog_report.h"

namespace zol::testing {

class RecordingReportSink : public UserDialogReportSink {
  public:
    void Send(const UserDialogReport& report) override { reports.push_back(report); }
    std::vector<UserDialogReport> reports;
};

// The five report fields as one text, for exact comparisons.
inline std::string Fields(const UserDialogReport& r) {
    return std::to_string(r.reportKind) + "," + std::to_string(r.closingCode) + "," +
           std::to_string(r.dialogId) + "," + std::to_string(r.answerType) + "," + r.answer;
}

}  // namespace zol::testing
