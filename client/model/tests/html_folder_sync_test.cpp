// The HTML folder sync: where pages go, the copy of one display's folder
// against scripted replies, and the run over all displays with its alerts.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "client/model/display_record.h"
#include "client/model/html_folder_sync.h"
#include "client/model/html_page_location.h"
#include "client/tests/temp_dir.h"
#include "scripted_channel.h"
#include "sync_fakes.h"
#include "zip_writer.h"

namespace zol {
namespace {

namespace fs = std::filesystem;
using testing::Frame;
using testing::ScriptedChannel;
using testing::ScriptedReply;
using testing::Slurp;

DisplayRecord HtmlDisplay(std::string name, std::string htmlPath = "") {
    DisplayRecord display;
    display.name = std::move(name);
    display.displayKind = DisplayHtmlFolder;
    display.htmlPath = std::move(htmlPath);
    return display;
}

TEST(HtmlPageLocationTest, DisplayNamesBecomeSafeFolderNames) {
    EXPECT_EQ(HtmlFolderName("Kitchen <1>: a/b\\c|d?e*"), "Kitchen _1__ a_b_c_d_e_");
    EXPECT_EQ(HtmlFolderName(".."), "__");
    EXPECT_EQ(HtmlFolderName("."), "_");
    EXPECT_EQ(HtmlFolderName(""), "_");
    EXPECT_EQ(HtmlFolderName("..a"), "..a");  // a name, not a step
    EXPECT_EQ(HtmlFolderName(std::string("a\nb\0c", 5)), "a_b_c");
    EXPECT_EQ(HtmlFolderName(std::string(300, 'x')).size(), kMaxHtmlFolderNameLength);
}

TEST(HtmlPageLocationTest, PagesStayBelowTheWorkingFolderAndAreNeverTruncated) {
    testing::TempDir dir;
    const fs::path work = dir.Path() / "work";
    EXPECT_EQ(PrepareHtmlPage(HtmlDisplay("Weather"), work), work / "Weather" / "Weather.html");
    EXPECT_TRUE(fs::exists(work / "Weather" / "Weather.html"));
    EXPECT_EQ(PrepareHtmlPage(HtmlDisplay(".."), work), work / "__" / "__.html");

    EXPECT_EQ(PrepareHtmlPage(HtmlDisplay("P", "pages\\p.html"), work), work / "pages" / "p.html");
    for (const std::string& hostile :
         {(dir.Path() / "outside.html").string(), std::string("..\\..\\outside.html"),
          std::string("C:\\outside.html"), std::string("\\\\server\\share\\outside.html")}) {
        EXPECT_EQ(PrepareHtmlPage(HtmlDisplay("P", hostile), work), work / "P" / "outside.html")
            << hostile;
    }
    EXPECT_FALSE(fs::exists(dir.Path() / "outside.html"));
    // A path that names a folder falls back to the display's own page.
    EXPECT_EQ(PrepareHtmlPage(HtmlDisplay("P", "pages\\.."), work), work / "P" / "P.html");

    dir.Write("work/Weather/Weather.html", "<html>kept</html>");
    PrepareHtmlPage(HtmlDisplay("Weather"), work);
    EXPECT_EQ(Slurp(work / "Weather" / "Weather.html"), "<html>kept</html>");
    EXPECT_EQ(PrepareHtmlPage(HtmlDisplay("Weather"), ""), fs::path());
}

// A server with one zip archive per display name, sent in chunks of 100
// bytes; a display it does not know gets no reply at all.
class FakeFolderServer {
  public:
    std::map<std::string, std::string, std::less<>> archives;

    ScriptedReply operator()(const ReplyFields& request) {
        auto archive = archives.find(request.Text(3));
        if (archive == archives.end())
            return {1, ""};
        const std::size_t at = static_cast<std::size_t>(ReadDecimal(request.Text(4))) * 100;
        if (at >= archive->second.size())
            return {0, Frame({"1", "ZOLApp", "GetDisplayHTMLFolder"})};
        return {0, Frame({"0", "ZOLApp", "GetDisplayHTMLFolder", archive->first,
                          testing::ToHex(archive->second.substr(at, 100))})};
    }
};

class HtmlFolderSyncTest : public ::testing::Test {
  protected:
    std::string Zip(const std::vector<testing::ZipEntry>& entries) {
        const fs::path scratch = dir_.Path() / "scratch.zip";
        EXPECT_TRUE(testing::WriteZip(scratch, entries));
        std::string bytes = Slurp(scratch);
        fs::remove(scratch);
        return bytes;
    }
    void AddDisplay(const std::string& name, bool atConnect = false) {
        auto display = std::make_unique<DisplayRecord>(HtmlDisplay(name));
        display->htmlCopyAtConnect = atConnect ? 1 : 0;
        displays_.push_back(std::move(display));
    }
    bool CopyAll(bool all, bool quiet) {
        HtmlFolderSync sync{channel_, reporter_, reporter_, work_, {}};
        return CopyHtmlFolders(sync, displays_, all, quiet);
    }

    testing::TempDir dir_;
    fs::path work_ = dir_.Path() / "work";
    FakeFolderServer server_;
    ScriptedChannel channel_{std::ref(server_)};
    testing::AnsweringReporter reporter_;
    DisplayList displays_;
};

TEST_F(HtmlFolderSyncTest, CopiesTheArchiveBesideThePageAndUnpacksIt) {
    server_.archives["Weather"] =
        Zip({{"css/", ""}, {"css\\site.css", std::string(300, 'c')}, {"today.js", "js"}});
    dir_.Write("work/Weather/Weather.html", "<html>page</html>");
    HtmlFolderSync sync{channel_, reporter_, reporter_, work_, {}};
    std::string failure = "stale";
    EXPECT_EQ(CopyHtmlFolder(sync, HtmlDisplay("Weather"), failure), 0);
    EXPECT_EQ(failure, "");
    const fs::path folder = work_ / "Weather";
    EXPECT_EQ(Slurp(folder / "css" / "site.css"), std::string(300, 'c'));
    EXPECT_EQ(Slurp(folder / "today.js"), "js");
    EXPECT_EQ(Slurp(folder / "Weather.html"), "<html>page</html>");
    EXPECT_EQ(Slurp(folder / "FolderFiles.zip"), server_.archives["Weather"]);
    EXPECT_GE(channel_.requests.size(), 3u);
    EXPECT_EQ(channel_.requests[0].Count(), 4);
    EXPECT_EQ(channel_.requests[1].Text(4), "1");
    EXPECT_TRUE(reporter_.messages.empty());
    EXPECT_EQ(reporter_.waitDepth, 0);
}

TEST_F(HtmlFolderSyncTest, FailuresGiveTheirTexts) {
    HtmlFolderSync sync{channel_, reporter_, reporter_, work_, {}};
    std::string failure;
    EXPECT_EQ(CopyHtmlFolder(sync, HtmlDisplay("Unknown"), failure), 1);
    EXPECT_EQ(failure, "Error in communication with the server");
    EXPECT_EQ(reporter_.messages,
              std::vector<std::string>{"Server Timeout: ZOLApp.GetDisplayHTMLFolder 1"});

    server_.archives["Empty"] = "";
    EXPECT_EQ(CopyHtmlFolder(sync, HtmlDisplay("Empty"), failure),
              kHtmlCopyArchiveFailed + ArchiveCannotOpen);
    EXPECT_EQ(failure, "Can't open zip file transfered from the server to the client");

    server_.archives["Evil"] = Zip({{"ok.txt", "x"}, {"..\\..\\..\\evil.txt", "x"}});
    EXPECT_EQ(CopyHtmlFolder(sync, HtmlDisplay("Evil"), failure),
              kHtmlCopyArchiveFailed + ArchiveUnsafeEntry);
    EXPECT_EQ(failure,
              "The zip file from the server holds the entry \"..\\..\\..\\evil.txt\" that is "
              "refused: a parent folder step");
    EXPECT_FALSE(fs::exists(work_ / "Evil" / "ok.txt"));
    EXPECT_FALSE(fs::exists(dir_.Path() / "evil.txt"));

    sync.workDir.clear();
    EXPECT_EQ(CopyHtmlFolder(sync, HtmlDisplay("Weather"), failure), kHtmlCopyNoLocation);
    EXPECT_EQ(failure,
              "Can't determine location to place the html file. Check the path in the display "
              "properties and see if it can be created on this client machine");
}

TEST_F(HtmlFolderSyncTest, SuccessAlertsUntilTheHintIsTicked) {
    for (const char* name : {"A", "B", "C"}) {
        server_.archives[name] = Zip({{"f.txt", name}});
        AddDisplay(name);
    }
    displays_.push_back(std::make_unique<DisplayRecord>());  // not an HTML-folder display
    reporter_.tickHint = true;
    EXPECT_TRUE(CopyAll(true, false));
    ASSERT_EQ(reporter_.hintAlerts.size(), 1u);
    EXPECT_EQ(reporter_.hintAlerts[0],
              std::make_tuple(AlertInfo, std::string("Folder copy for display \"A\" success"),
                              std::string("Complete next 2 displays without stopping")));
    EXPECT_EQ(reporter_.alerts,
              (std::vector<std::pair<AlertKind, std::string>>{
                  {AlertInfo, "HTML display folder copy complete with 3 success and 0 failure"}}));
    EXPECT_EQ(Slurp(work_ / "C" / "f.txt"), "C");

    reporter_ = {};
    EXPECT_TRUE(CopyAll(true, false));
    EXPECT_EQ(reporter_.hintAlerts.size(), 2u);  // A and B; C is the last
    EXPECT_EQ(std::get<2>(reporter_.hintAlerts[1]), "Complete next 1 displays without stopping");
    ASSERT_EQ(reporter_.alerts.size(), 2u);
    EXPECT_EQ(reporter_.alerts[0].second, "Folder copy for display \"C\" success");
}

TEST_F(HtmlFolderSyncTest, AFailureAsksWhetherToGoOn) {
    AddDisplay("Broken");
    AddDisplay("Fine");
    server_.archives["Fine"] = Zip({{"f.txt", "fine"}});
    reporter_.answers = {kAlertAnswerNo};
    EXPECT_FALSE(CopyAll(true, false));
    ASSERT_EQ(reporter_.alerts.size(), 2u);
    EXPECT_EQ(reporter_.alerts[0],
              std::make_pair(AlertConfirmYes,
                             std::string("Problem with folder copy for display \"Broken\". Error "
                                         "in communication with the server.\n\nContiue with "
                                         "next display?")));
    EXPECT_EQ(reporter_.alerts[1],
              std::make_pair(AlertProblem, std::string("HTML display folder copy complete with 0 "
                                                       "success and 1 failure")));
    EXPECT_FALSE(fs::exists(work_ / "Fine" / "f.txt"));  // the run ended
}

TEST_F(HtmlFolderSyncTest, TheQuietRunShowsNothingAndTakesOnlyDisplaysMarkedForConnect) {
    AddDisplay("Broken", true);
    AddDisplay("Fine", true);
    AddDisplay("NotAtConnect");
    server_.archives["Fine"] = Zip({{"f.txt", "fine"}});
    EXPECT_FALSE(CopyAll(false, true));
    EXPECT_TRUE(reporter_.messages.empty());
    EXPECT_TRUE(reporter_.alerts.empty());
    EXPECT_TRUE(reporter_.hintAlerts.empty());
    EXPECT_EQ(reporter_.waitDepth, 0);
    EXPECT_EQ(Slurp(work_ / "Fine" / "f.txt"), "fine");
    EXPECT_FALSE(fs::exists(work_ / "NotAtConnect"));

    displays_.clear();
    EXPECT_TRUE(CopyAll(false, true));
    EXPECT_TRUE(reporter_.alerts.empty());
    EXPECT_TRUE(CopyAll(true, false));
    EXPECT_EQ(reporter_.alerts,
              (std::vector<std::pair<AlertKind, std::string>>{
                  {AlertInfo, "This design contains no dynamic HTML displays."}}));
}

TEST_F(HtmlFolderSyncTest, TheSettingsCommandAsksFirstAndNeedsAConnection) {
    AddDisplay("A");
    server_.archives["A"] = Zip({{"f.txt", "a"}});
    HtmlFolderSync sync{channel_, reporter_, reporter_, work_, {}};
    reporter_.answers = {kAlertAnswerNo};
    RunHtmlSyncCommand(sync, displays_, true);
    ASSERT_EQ(reporter_.alerts.size(), 1u);
    EXPECT_EQ(reporter_.alerts[0].first, AlertConfirmNo);
    EXPECT_EQ(reporter_.alerts[0].second.rfind("The HTML Sync operation is useful only if there "
                                               "are HTML displays in your design that are created "
                                               "by the ZOL server from a template file",
                                               0),
              0u);
    RunHtmlSyncCommand(sync, displays_, false);
    EXPECT_EQ(reporter_.alerts.back(),
              std::make_pair(AlertCannot, std::string("You must be connected to the server to "
                                                      "sync the server and client HTML "
                                                      "folders.")));
    EXPECT_TRUE(channel_.requests.empty());
    RunHtmlSyncCommand(sync, displays_, true);
    EXPECT_EQ(Slurp(work_ / "A" / "f.txt"), "a");
}

}  // namespace
}  // namespace zol
