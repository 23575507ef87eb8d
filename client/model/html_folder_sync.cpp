#include "client/model/html_folder_sync.h"

#include "client/model/chunked_download.h"
#include "client/model/hint_alert.h"
#include "client/model/html_page_location.h"
#include "client/model/quiet_reporter.h"
#include "client/model/user_reporter.h"
#include "serverlink/field_list.h"

namespace zol {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kOperation = "ZOLApp.GetDisplayHTMLFolder";
constexpr int kArchiveDataField = 5;

constexpr std::string_view kNoLocationText =
    "Can't determine location to place the html file. Check the path in the display "
    "properties and see if it can be created on this client machine";
constexpr std::string_view kCommunicationText = "Error in communication with the server";
constexpr std::string_view kNoHtmlDisplaysText = "This design contains no dynamic HTML displays.";
constexpr std::string_view kHtmlSyncExplanation =
    "The HTML Sync operation is useful only if there are HTML displays in your design that are "
    "created by the ZOL server from a template file. If you proceed then the folder of files of "
    "each of these displays is copied from the server to this client.";
constexpr std::string_view kHtmlSyncNotConnected =
    "You must be connected to the server to sync the server and client HTML folders.";

bool IsCandidate(const DisplayRecord& display, bool all) {
    return display.displayKind == DisplayHtmlFolder && (all || display.htmlCopyAtConnect != 0);
}

std::string SuccessText(const std::string& name) {
    return "Folder copy for display \"" + name + "\" success";
}

std::string ContinueText(const std::string& name, const std::string& failure) {
    return "Problem with folder copy for display \"" + name + "\". " + failure +
           ".\n\nContiue with next display?";
}

std::string SummaryText(int successes, int failures) {
    return "HTML display folder copy complete with " + std::to_string(successes) + " success and " +
           std::to_string(failures) + " failure";
}

}  // namespace

int CopyHtmlFolder(HtmlFolderSync& sync, const DisplayRecord& display, std::string& failureText) {
    failureText.clear();
    const fs::path page = PrepareHtmlPage(display, sync.workDir);
    if (page.empty()) {
        failureText = kNoLocationText;
        return kHtmlCopyNoLocation;
    }
    const fs::path folder = page.parent_path();
    const fs::path archive = folder / kHtmlFolderArchiveName;

    ChunkedDownload download;
    download.operation = kOperation;
    download.dataField = kArchiveDataField;
    download.request = [&display](int chunk) {
        return FieldList{"ZOLApp", "GetDisplayHTMLFolder", display.name, std::to_string(chunk)}
            .Message();
    };
    const DownloadResult fetched = DownloadChunks(sync.channel, sync.reporter, download, archive);
    if (fetched.outcome == DownloadOutcome::NotSent) {
        failureText = kCommunicationText;
        return fetched.code;
    }
    if (fetched.outcome != DownloadOutcome::Complete) {
        failureText = fetched.text;
        return fetched.code;
    }

    const ArchiveResult unpacked = ExtractFolderArchive(archive, folder, sync.limits);
    if (unpacked.code != ArchiveOk) {
        failureText = unpacked.text;
        return kHtmlCopyArchiveFailed + unpacked.code;
    }
    return 0;
}

bool CopyHtmlFolders(HtmlFolderSync& sync, const DisplayList& displays, bool all, bool quiet) {
    std::vector<const DisplayRecord*> candidates;
    for (const auto& display : displays) {
        if (IsCandidate(*display, all))
            candidates.push_back(display.get());
    }
    if (candidates.empty()) {
        if (!quiet)
            sync.reporter.ShowAlert(AlertInfo, kNoHtmlDisplaysText);
        return true;
    }

    QuietReporter silent(sync.reporter);
    HtmlFolderSync copySync{sync.channel, quiet ? silent : sync.reporter, sync.hints, sync.workDir,
                            sync.limits};
    int successes = 0;
    int failures = 0;
    bool announceSuccess = !quiet;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const DisplayRecord& display = *candidates[i];
        std::string failureText;
        if (CopyHtmlFolder(copySync, display, failureText) == 0) {
            ++successes;
            if (!announceSuccess)
                continue;
            const std::size_t toCome = candidates.size() - i - 1;
            if (toCome == 0) {
                sync.reporter.ShowAlert(AlertInfo, SuccessText(display.name));
                continue;
            }
            bool skipTheRest = false;
            sync.hints.ShowAlertWithHint(
                AlertInfo, SuccessText(display.name),
                "Complete next " + std::to_string(toCome) + " displays without stopping",
                skipTheRest);
            announceSuccess = !skipTheRest;
        } else {
            ++failures;
            if (!quiet &&
                sync.reporter.ShowAlert(AlertConfirmYes, ContinueText(display.name, failureText)) !=
                    kAlertAnswerYes)
                break;
        }
    }
    if (!quiet)
        sync.reporter.ShowAlert(failures > 0 ? AlertProblem : AlertInfo,
                                SummaryText(successes, failures));
    return failures == 0;
}

void RunHtmlSyncCommand(HtmlFolderSync& sync, const DisplayList& displays, bool connected) {
    if (sync.reporter.ShowAlert(AlertConfirmNo, kHtmlSyncExplanation) != kAlertAnswerYes)
        return;
    if (!connected) {
        sync.reporter.ShowAlert(AlertCannot, kHtmlSyncNotConnected);
        return;
    }
    CopyHtmlFolders(sync, displays, true, false);
}

}  // namespace zol
