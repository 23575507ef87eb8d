// The icon sync against scripted "GetThemeIcons" and "GetThemeIcon" replies:
// what is copied, what is kept, and that a bad list always ends.
#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "client/model/icon_sync.h"
#include "client/tests/temp_dir.h"
#include "scripted_channel.h"
#include "sync_fakes.h"

namespace zol {
namespace {

namespace fs = std::filesystem;
using testing::Frame;
using testing::ScriptedChannel;
using testing::ScriptedReply;
using testing::Slurp;

std::string PngBytes(QColor color) {
    QImage image(36, 36, QImage::Format_ARGB32);
    image.fill(color);
    const fs::path scratch = fs::temp_directory_path() / "zol-icon-sync-png.tmp";
    image.save(QString::fromStdString(scratch.string()), "PNG");
    std::string bytes = Slurp(scratch);
    fs::remove(scratch);
    return bytes;
}

std::string Sum(std::string_view bytes) {
    std::uint32_t sum = 0;
    for (unsigned char c : bytes)
        sum += c;
    return std::to_string(static_cast<std::int32_t>(sum));
}

// A server holding `files` for the set "Theme_36_36": lists them all in one
// reply, then -1; sends each in chunks of `chunkBytes`.
class FakeIconServer {
  public:
    std::map<std::string, std::string, std::less<>> files;
    std::size_t chunkBytes = 50;
    int failChunk = -1;  // this chunk number of any file gets no reply

    ScriptedReply operator()(const ReplyFields& request) {
        if (request.Text(2) == "GetThemeIcons") {
            if (request.Text(4) != "0" || files.empty())
                return {0, Frame({"-1", "ZOLApp", "GetThemeIcons"})};
            std::vector<std::string> reply = {"0", "ZOLApp", "GetThemeIcons", "Theme_36_36", "1"};
            for (const auto& [name, bytes] : files) {
                reply.push_back(name);
                reply.push_back(std::to_string(bytes.size()));
                reply.push_back(Sum(bytes));
            }
            return {0, Frame(reply)};
        }
        const int chunk = ReadDecimal(request.Text(5));
        if (chunk == failChunk)
            return {1, ""};
        auto file = files.find(std::string(request.Text(4)));
        if (file == files.end())
            return {0, Frame({"-2", "ZOLApp", "GetThemeIcon"})};
        const std::size_t at = static_cast<std::size_t>(chunk) * chunkBytes;
        if (at >= file->second.size())
            return {0, Frame({"1", "ZOLApp", "GetThemeIcon"})};
        return {
            0, Frame({"0", "ZOLApp", "GetThemeIcon", "Theme_36_36", file->first,
                      std::to_string(chunk), testing::ToHex(file->second.substr(at, chunkBytes))})};
    }
};

class IconSyncTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_.Write("theme.txt", "[Metrics]\ncxStandard=36\ncyStandard=36\n");
        set_.name = "Theme_36_36";
        LoadIconSet(set_, dir_.Path());
    }
    IconSyncResult Sync() {
        channel_ = std::make_unique<ScriptedChannel>(std::ref(server_));
        IconSyncContext context{*channel_, reporter_, IconSetOptions{}};
        return SyncIconSet(context, set_);
    }
    std::vector<std::string> Fetched() const {
        std::vector<std::string> names;
        for (const ReplyFields& request : channel_->requests) {
            if (request.Text(2) == "GetThemeIcon" && request.Text(5) == "0")
                names.emplace_back(request.Text(4));
        }
        return names;
    }
    std::size_t FilesInDir() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_.Path()), {}));
    }

    testing::TempDir dir_;
    IconSet set_;
    FakeIconServer server_;
    testing::AnsweringReporter reporter_;
    std::unique_ptr<ScriptedChannel> channel_;
};

TEST_F(IconSyncTest, CopiesMissingAndChangedFilesAndReloadsTheSet) {
    const std::string lampOff = PngBytes(Qt::gray);
    const std::string fan = PngBytes(Qt::blue);
    server_.files = {{"Lamp_off.png", lampOff},
                     {"Fan.png", fan},
                     {"theme.txt", Slurp(dir_.Path() / "theme.txt")}};  // current: not copied
    // Same size, another byte sum: copied again.
    std::string changed = fan;
    changed[changed.size() - 1] ^= 1;
    dir_.Write("Fan.png", changed);
    const IconSet* const address = &set_;

    const IconSyncResult result = Sync();
    EXPECT_EQ(result.name, "Theme_36_36");
    EXPECT_EQ(result.listed, 3);
    EXPECT_EQ(result.copied, 2);
    EXPECT_EQ(Fetched(), (std::vector<std::string>{"Fan.png", "Lamp_off.png"}));
    EXPECT_EQ(Slurp(dir_.Path() / "Fan.png"), fan);
    EXPECT_EQ(Slurp(dir_.Path() / "Lamp_off.png"), lampOff);
    EXPECT_TRUE(reporter_.messages.empty());
    EXPECT_EQ(reporter_.waitDepth, 0);
    // Reloaded in place: the new icons are there, the set where it was.
    EXPECT_EQ(&set_, address);
    ASSERT_EQ(set_.icons.size(), 2u);
    EXPECT_EQ(FindIcon(set_, "Lamp")->name, "Lamp");

    // Everything current now: nothing is copied, nothing reloaded.
    const IconSyncResult again = Sync();
    EXPECT_EQ(again.listed, 3);
    EXPECT_EQ(again.copied, 0);
    EXPECT_TRUE(Fetched().empty());
}

TEST_F(IconSyncTest, AnEmptyListAtOnceListsNothing) {
    const IconSyncResult result = Sync();
    EXPECT_EQ(result.listed, 0);
    EXPECT_EQ(result.copied, 0);
    EXPECT_EQ(channel_->requests.size(), 1u);
    EXPECT_EQ(channel_->requests[0].Text(3), "Theme_36_36");
    EXPECT_EQ(channel_->requests[0].Text(4), "0");
    EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(IconSyncTest, AnInterruptedIconKeepsTheOldPicture) {
    dir_.Write("Lamp_off.png", "old picture");
    server_.files = {{"Lamp_off.png", PngBytes(Qt::gray)}};
    server_.failChunk = 1;
    const IconSyncResult result = Sync();
    EXPECT_EQ(result.copied, 0);
    EXPECT_EQ(Slurp(dir_.Path() / "Lamp_off.png"), "old picture");
    EXPECT_EQ(FilesInDir(), 2u);  // theme.txt and the old picture, no temporary file
    EXPECT_EQ(reporter_.messages,
              std::vector<std::string>{"Server Timeout: ZOLApp.GetThemeIcon 1"});
}

TEST_F(IconSyncTest, AFileTheServerCannotSendIsReported) {
    IconSyncContext context{*(channel_ = std::make_unique<ScriptedChannel>(std::ref(server_))),
                            reporter_, IconSetOptions{}};
    EXPECT_EQ(FetchThemeIcon(context, set_, "Missing.png"), -2);
    EXPECT_EQ(reporter_.messages,
              std::vector<std::string>{"Server reported that ZOLApp.GetThemeIcon is not "
                                       "supported. Check the properties of that device"});
    EXPECT_FALSE(fs::exists(dir_.Path() / "Missing.png"));
}

TEST_F(IconSyncTest, OnlyBareFileNamesAreFetched) {
    for (const char* name : {"../evil.png", "sub\\x.png", "C:x.png", "..", "/etc/x.png", ""})
        server_.files[name] = "x";
    server_.files["lamp_OFF.png"] = "new";
    dir_.Write("Lamp_off.png", "old");  // the same file on the server's disk
    const IconSyncResult result = Sync();
    EXPECT_EQ(result.listed, 7);
    EXPECT_EQ(Fetched(), std::vector<std::string>{"lamp_OFF.png"});
    EXPECT_EQ(Slurp(dir_.Path() / "Lamp_off.png"), "new");
    EXPECT_FALSE(fs::exists(dir_.Path() / "lamp_OFF.png"));
    EXPECT_FALSE(fs::exists(dir_.Path().parent_path() / "evil.png"));
    EXPECT_EQ(reporter_.messages,
              std::vector<std::string>{"The server listed 6 icon files for Theme_36_36 whose "
                                       "names are not plain file names; they were not copied"});
    EXPECT_FALSE(IsBareFileName(std::string("a\0b", 3)));
    EXPECT_TRUE(IsBareFileName("Lamp_off.png"));
}

TEST_F(IconSyncTest, AListThatDoesNotMoveOnEnds) {
    // The cursor stays at 0, goes back, or the reply is too short to hold one.
    const std::vector<std::vector<std::string>> replies = {
        {"0", "ZOLApp", "GetThemeIcons", "Theme_36_36", "0", "a.png", "0", "0"},
        {"0", "ZOLApp", "GetThemeIcons", "Theme_36_36", "-5"},
        {"0", "ZOLApp", "GetThemeIcons"},
        {"0", "ZOLApp", "GetThemeIcons", "Theme_36_36", "7", "a.png", "0"},  // no whole triple
    };
    for (const auto& reply : replies) {
        dir_.Write("a.png", "");
        ScriptedChannel channel([&](const ReplyFields&) { return ScriptedReply{0, Frame(reply)}; });
        IconSyncContext context{channel, reporter_, IconSetOptions{}};
        const IconSyncResult result = SyncIconSet(context, set_);
        EXPECT_LE(result.listed, 1);
        EXPECT_LE(channel.requests.size(), 3u) << reply.size();
    }
}

TEST_F(IconSyncTest, SyncAllAsksFirstAndNeedsAConnection) {
    IconSetList sets;
    auto second = std::make_unique<IconSet>();
    second->name = "Theme_54_54";
    InsertIconSet(sets, std::move(second));
    channel_ = std::make_unique<ScriptedChannel>(std::ref(server_));
    IconSyncContext context{*channel_, reporter_, IconSetOptions{}};

    reporter_.answers = {kAlertAnswerNo};
    EXPECT_FALSE(SyncAllIconSets(context, sets, true));
    ASSERT_EQ(reporter_.alerts.size(), 1u);
    EXPECT_EQ(reporter_.alerts[0].first, AlertConfirmNo);
    EXPECT_EQ(reporter_.alerts[0].second,
              "The Icon Sync operation looks for icon image files on the server that are not on "
              "this client or are on this client but are different than the ones on the server.  "
              "If you proceed then new or changed  icon image files are copied from the server to "
              "this client.");

    EXPECT_FALSE(SyncAllIconSets(context, sets, false));
    EXPECT_EQ(reporter_.alerts.back(),
              std::make_pair(AlertCannot, std::string("You must be connected to the server to "
                                                      "sync the server and client icons")));
    EXPECT_TRUE(channel_->requests.empty());

    const auto results = SyncAllIconSets(context, sets, true);
    ASSERT_TRUE(results);
    ASSERT_EQ(results->size(), 1u);
    EXPECT_EQ((*results)[0].name, "Theme_54_54");
}

}  // namespace
}  // namespace zol
