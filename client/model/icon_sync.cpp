#include "client/model/icon_sync.h"

#include <cerrno>
#include <system_error>

#include "client/model/chunked_download.h"
#include "client/model/hint_alert.h"
#include "client/model/pending_file.h"
#include "client/model/reply_fields.h"
#include "client/model/request_channel.h"
#include "client/model/server_error.h"
#include "client/model/theme_icon_files.h"
#include "client/model/user_reporter.h"
#include "platform/ascii_text.h"
#include "serverlink/field_list.h"

namespace zol {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kListOperation = "ZOLApp.GetThemeIcons";
constexpr std::string_view kFileOperation = "ZOLApp.GetThemeIcon";
constexpr std::int32_t kListComplete = -1;
constexpr int kFirstTripleField = 6;
constexpr int kIconDataField = 7;

constexpr std::string_view kIconSyncExplanation =
    "The Icon Sync operation looks for icon image files on the server that are not on this "
    "client or are on this client but are different than the ones on the server.  If you "
    "proceed then new or changed  icon image files are copied from the server to this client.";
constexpr std::string_view kIconSyncNotConnected =
    "You must be connected to the server to sync the server and client icons";

// The file of the set's folder that the server's name stands for: the name
// itself, else a file of that name in another letter case (the same file on
// the server's disk), else the name as a new file.
fs::path LocalIconFile(const fs::path& folder, std::string_view fileName) {
    const fs::path exact = folder / fileName;
    std::error_code ec;
    if (fs::is_regular_file(exact, ec))
        return exact;
    for (const std::string& name : ListFolderFiles(folder)) {
        if (EqualsNoCase(name, fileName))
            return folder / name;
    }
    return exact;
}

bool IsCurrent(const fs::path& local, std::int32_t size, std::uint32_t byteSum) {
    std::error_code ec;
    if (!fs::is_regular_file(local, ec))
        return false;
    const FileByteSum have = ReadFileByteSum(local);
    return have.size == size && have.byteSum == byteSum;
}

}  // namespace

bool IsBareFileName(std::string_view fileName) {
    return !fileName.empty() && fileName != "." && fileName != ".." &&
           fileName.find_first_of(std::string_view("/\\:\0", 4)) == std::string_view::npos;
}

int FetchThemeIcon(IconSyncContext& sync, const IconSet& set, std::string_view fileName) {
    if (!IsBareFileName(fileName))
        return EINVAL;
    ChunkedDownload download;
    download.operation = kFileOperation;
    download.dataField = kIconDataField;
    download.firstResultIsError = true;
    download.request = [&set, fileName](int chunk) {
        return FieldList{"ZOLApp", "GetThemeIcon", set.name, fileName, std::to_string(chunk)}
            .Message();
    };
    const fs::path target = LocalIconFile(fs::path(set.folder), fileName);
    return DownloadChunks(sync.channel, sync.reporter, download, target).code;
}

IconSyncResult SyncIconSet(IconSyncContext& sync, IconSet& set) {
    IconSyncResult result;
    result.name = set.name;
    const fs::path folder(set.folder);
    int refused = 0;
    std::int32_t cursor = 0;
    for (int reply = 0; reply < kMaxIconListReplies; ++reply) {
        std::int32_t resultCode = 0;
        std::string frame;
        int error = 0;
        {
            WaitCursor wait(sync.reporter);
            error = sync.channel.SendRequest(
                FieldList{"ZOLApp", "GetThemeIcons", set.name, std::to_string(cursor)}.Message(),
                resultCode, frame);
        }
        if (error != 0) {
            sync.reporter.ShowMessage(ServerTimeoutText(kListOperation, error));
            break;
        }
        if (resultCode == kListComplete)
            break;
        if (resultCode != 0) {
            ReportServerError(sync.reporter, resultCode, kListOperation);
            break;
        }
        ReplyFields fields;
        if (int code = fields.Decode(frame)) {
            sync.reporter.ShowMessage(ServerDecodeErrorText(kListOperation, code));
            break;
        }
        const std::int32_t next = fields.Number(5);
        const std::int64_t triples = std::max<std::int64_t>(0, (fields.Count() - 5) / 3);
        result.listed += static_cast<int>(triples);
        for (std::int64_t i = 0; i < triples; ++i) {
            const std::int64_t at = kFirstTripleField + 3 * i;
            const std::string fileName(fields.Text(at));
            if (!IsBareFileName(fileName)) {
                ++refused;
                continue;
            }
            const std::uint32_t byteSum = static_cast<std::uint32_t>(fields.Number(at + 2));
            if (IsCurrent(LocalIconFile(folder, fileName), fields.Number(at + 1), byteSum))
                continue;
            if (FetchThemeIcon(sync, set, fileName) == 0)
                ++result.copied;
        }
        // A cursor that does not move on would ask for the same part for ever.
        if (next <= cursor)
            break;
        cursor = next;
    }
    if (refused > 0) {
        sync.reporter.ShowMessage("The server listed " + std::to_string(refused) +
                                  " icon files for " + set.name +
                                  " whose names are not plain file names; they were not copied");
    }
    // Files already copied stay even when the list ended in a failure: show them.
    if (result.copied > 0)
        ReloadIconSet(set, sync.options);
    return result;
}

std::optional<std::vector<IconSyncResult>> SyncAllIconSets(IconSyncContext& sync, IconSetList& sets,
                                                           bool connected) {
    if (sync.reporter.ShowAlert(AlertConfirmNo, kIconSyncExplanation) != kAlertAnswerYes)
        return std::nullopt;
    if (!connected) {
        sync.reporter.ShowAlert(AlertCannot, kIconSyncNotConnected);
        return std::nullopt;
    }
    std::vector<IconSyncResult> results;
    for (const std::unique_ptr<IconSet>& set : sets)
        results.push_back(SyncIconSet(sync, *set));
    return results;
}

}  // namespace zol
