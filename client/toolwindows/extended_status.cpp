#include "client/toolwindows/extended_status.h"

#include "client/model/load_request.h"
#include "client/model/reply_fields.h"

namespace zol {

void DecodeExtendedStatus(const ReplyFields& fields, ExtendedStatusReport& report) {
    report.number = fields.Number(4);
    report.serverTime = fields.DateTime(5);
    report.startTime = fields.DateTime(6);
    report.sunrise = fields.DateTime(7);
    report.upTime = fields.Text(8);
    report.firstDate = fields.Text(9);
    report.secondDate = fields.Text(10);
    report.title = fields.Text(11);
    report.lines.clear();
    for (std::int64_t i = 12; i <= fields.Count() && report.lines.size() < kStatusWindowLineLimit;
         ++i) {
        report.lines.emplace_back(fields.Text(i));
    }
}

int ReadExtendedStatus(RequestChannel& channel, ExtendedStatusReport& report,
                       std::string& failureText) {
    LoadRequest request(channel, "ZOLApp.GetExtServerStatus", failureText);
    ReplyFields reply;
    if (int code = request.Exchange(FieldList{"ZOLApp", "GetExtServerStatus"}.Message(), &reply))
        return code;
    DecodeExtendedStatus(reply, report);
    return 0;
}

}  // namespace zol
