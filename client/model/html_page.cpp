#include "client/model/html_page.h"

#include "client/model/chunked_download.h"
#include "client/model/display_record.h"
#include "client/model/html_page_location.h"
#include "client/model/reported_exchange.h"
#include "client/model/silent_reporter.h"
#include "serverlink/field_list.h"

namespace zol {

namespace {

constexpr std::string_view kOperation = "ZOLApp.GetDisplayHTML";

}  // namespace

int RequestHtmlAddress(RequestChannel& channel, UserReporter& reporter,
                       std::string_view displayName, bool report, std::string& address) {
    ReportedExchange exchange = RunReportedRequest(
        channel, reporter, FieldList({"ZOLApp", "GetDisplayHTML", displayName, "0"}), kOperation,
        report);
    if (exchange.code == 0)
        address = std::string(exchange.fields.Text(4));
    return exchange.code;
}

int DownloadHtmlPage(RequestChannel& channel, UserReporter& reporter, const DisplayRecord& display,
                     const std::filesystem::path& workDir, bool report,
                     std::filesystem::path& page) {
    const std::filesystem::path target = PrepareHtmlPage(display, workDir);
    if (target.empty())
        return -1;
    ChunkedDownload download;
    download.operation = std::string(kOperation);
    const std::string name = display.name;
    download.request = [name](int chunk) {
        return FieldList({"ZOLApp", "GetDisplayHTML", name, std::to_string(chunk)}).Message();
    };
    download.dataField = 5;
    download.hexText = false;
    download.maxBytes = kMaxHtmlPageBytes;
    SilentReporter silent(reporter);
    const DownloadResult result =
        DownloadChunks(channel, report ? reporter : silent, download, target);
    if (result.code != 0)
        return result.code;
    page = target;
    return 0;
}

}  // namespace zol
