// The HTML folder sync: copies the folder of files that an HTML-folder
// display (displayKind 2) refers to, as a zip archive from the server
// ("GetDisplayHTMLFolder"), into the folder of the display's page. Run from
// the settings window for every such display, and quietly at connect for
// the displays that ask for it.
#pragma once

#include <filesystem>
#include <string>

#include "client/model/design.h"
#include "client/model/folder_archive.h"

namespace zol {

class HintAlertReporter;
class RequestChannel;
class UserReporter;

// The archive's name in the page's folder.
inline constexpr std::string_view kHtmlFolderArchiveName = "FolderFiles.zip";

// CopyHtmlFolder's codes besides 0, SendRequest's errors and decoder codes.
inline constexpr int kHtmlCopyNoLocation = 2000;
inline constexpr int kHtmlCopyArchiveFailed = 2100;  // plus the ArchiveError

struct HtmlFolderSync {
    RequestChannel& channel;
    UserReporter& reporter;
    HintAlertReporter& hints;
    std::filesystem::path workDir;  // the TempDirPath in effect
    ArchiveLimits limits;
};

// Copies the folder of one display: 0 with an empty text, else a code and
// the failure text (which the caller shows). Server time-outs and decode
// errors are also shown at once through the reporter.
int CopyHtmlFolder(HtmlFolderSync& sync, const DisplayRecord& display, std::string& failureText);

// Copies the folders of the HTML-folder displays (with `all` unset only
// those marked to copy at connect), in list order. Unless `quiet`, it tells
// the person about each copy and asks whether to go on after a failure;
// quiet shows nothing at all. True when no copy failed.
bool CopyHtmlFolders(HtmlFolderSync& sync, const DisplayList& displays, bool all, bool quiet);

// The settings window's HTML sync command: asks first, then copies every
// HTML-folder display's folder when connected.
void RunHtmlSyncCommand(HtmlFolderSync& sync, const DisplayList& displays, bool connected);

}  // namespace zol
