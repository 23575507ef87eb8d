#include "client/userdialogs/user_dialog_report.h"

#include "serverlink/field_list.h"
#include "serverlink/server_link.h"

namespace zol {

std::string UserDialogReport::Message() const {
    FieldList message(7);
    message.Add("ZOLApp").Add("UserDialogReport");
    message.Add(reportKind).Add(closingCode).Add(dialogId).Add(answerType).Add(answer);
    return message.Message();
}

void LinkReportSink::Send(const UserDialogReport& report) {
    std::int32_t resultCode = 0;
    std::string reply;
    link_.SendRequest(report.Message(), resultCode, reply, /*noWait=*/true);
}

}  // namespace zol
