#include "client/core/notification_dispatcher.h"

#include <sys/stat.h>

#include <QCoreApplication>

#include <QDialog>

#include <gtest/gtest.h>

#include "client/core/app_messages.h"
#include "client/core/client_settings.h"
#include "client/core/extended_status_record.h"
#include "client/core/registered_windows.h"
#include "client/model/tests/model_fakes.h"
#include "client/model/tests/scripted_channel.h"
#include "client/popups/control_popup_registry.h"
#include "dispatch_fakes.h"
#include "guibase/windows1252_text.h"
#include "temp_dir.h"

namespace zol {
namespace {

using testing::Frame;

// Stands in for a registered window (a dialog, as pop-ups are): keeps what
// is posted to it.
class Collector : public QDialog {
  public:
    bool event(QEvent* e) override {
        if (auto* m = AppMessageEvent::From(e)) {
            messages.push_back(m->Message());
            lParams.push_back(m->LParam());
            if (auto* record = m->PayloadAs<ExtendedStatusRecord>())
                lastRecord = *record;
            if (auto* text = m->PayloadAs<TextPayload>())
                lastText = text->text;
            return true;
        }
        return QDialog::event(e);
    }
    std::vector<AppMessage> messages;
    std::vector<std::intptr_t> lParams;
    ExtendedStatusRecord lastRecord;
    std::string lastText;
};

class DispatcherTest : public ::testing::Test {
  protected:
    DispatcherTest() {
        settings_.tempDirPath = Windows1252FromPath(dir_.Path());
        settings_.clientSound = 1;
        auto object = std::make_unique<DesignObject>();
        object->objectId = 7;
        object->errorCondition = 5;
        target_.design.objects.push_back(std::move(object));
        AddDisplay(500, true, {});
        AddDisplay(501, false, {{"Clock", TileText}});
        AddDisplay(502, false, {{"clock", TileText}, {"Cam", TileImage}});
    }

    void AddDisplay(std::int32_t id, bool home,
                    std::vector<std::pair<std::string, std::int32_t>> tiles) {
        auto display = std::make_unique<DisplayRecord>();
        display->displayId = id;
        display->isHome = home ? 1 : 0;
        for (auto& [name, type] : tiles) {
            TileRecord tile;
            tile.tileName = name;
            tile.tileType = type;
            tile.typeData = DefaultTileData(type);
            display->tiles.push_back(tile);
        }
        target_.design.displays.push_back(std::move(display));
    }

    void Push(std::vector<std::string> fields) {
        fields.insert(fields.begin(), {"0", "ZOLApp"});
        dispatcher_.Dispatch(Frame(fields));
        QCoreApplication::sendPostedEvents();
    }

    DesignObject& Object() { return *target_.design.objects.front(); }
    TileRecord& FirstTile(std::int32_t display) {
        return target_.design.FindDisplay(display)->tiles.front();
    }

    testing::TempDir dir_;
    ClientSettings settings_;
    testing::RecordingTarget target_;
    RegisteredWindows windows_;
    testing::ScriptedChannel channel_{[](const ReplyFields&) {
        return testing::ScriptedReply{0, Frame({"-2", "ZOLApp", "GetFile"})};
    }};
    testing::FakeReporter reporter_;
    testing::FakeLauncher launcher_;
    std::vector<SpeechPush> spoken_;
    std::vector<std::filesystem::path> played_;
    NotificationDispatcher dispatcher_{DispatchServices{
        target_, windows_, channel_, reporter_, launcher_, settings_,
        PushHooks{[this](const SpeechPush& s) { spoken_.push_back(s); },
                  [this](const std::filesystem::path& p) { played_.push_back(p); }}}};
};

TEST_F(DispatcherTest, DropsWhatIsNotAnAppPushOrArrivesDuringAConnect) {
    dispatcher_.Dispatch(Frame({"0", "ZOLObject", "Update", "7", "100"}));
    dispatcher_.Dispatch(Frame({"0", "ZOLApp", "Update"}));
    dispatcher_.Dispatch("no field list");
    Push({"NoSuchKind", "1"});
    target_.connecting = true;
    Push({"Update", "7", "100"});
    EXPECT_TRUE(target_.calls.empty());
    EXPECT_EQ(Object().level, 0);
}

TEST_F(DispatcherTest, UserDialogWakesTheScreenThenOpensTheDialog) {
    Push({"UserDialog", "0", "Prompt"});
    EXPECT_EQ(target_.calls, (std::vector<std::string>{"wake", "dialog"}));
}

TEST_F(DispatcherTest, UpdateReadsButtonStatesAndTheFieldsAfterThem) {
    Collector popup;
    ControlPopups().SetOpenPopup(&popup);
    Push({"Update", "7", "100", "0", "3", "1", "0", "1", "Own", "Cap", "40", "20240101000000", "9",
          "2", "status", "ov", "12", "255"});
    EXPECT_EQ(Object().level, 100);
    EXPECT_EQ(Object().buttonStates[0], 1);
    EXPECT_EQ(Object().buttonStates[2], 1);
    EXPECT_EQ(Object().ownIconName, "Own");  // field 11 with three buttons
    EXPECT_EQ(Object().ownLevel, 40);
    EXPECT_EQ(Object().errorCondition, 2);
    EXPECT_EQ(Object().overlayColor, 255);
    EXPECT_EQ(target_.design.loadedDesignTime, "20240101000000");
    EXPECT_EQ(popup.messages, std::vector<AppMessage>{AppMessage::ObjectChanged});
    EXPECT_EQ(popup.lParams, std::vector<std::intptr_t>{7});
    EXPECT_EQ(target_.calls, std::vector<std::string>{"object 7"});

    // A server of major version 13 sends no error condition or overlay.
    target_.serverMajor = 13;
    Push({"Update", "7", "0", "0", "0", "", "", "0", "", "9", "7"});
    EXPECT_EQ(Object().errorCondition, 2);
    // A wild count stores 16 states and reads nothing out of range; an
    // unknown id changes nothing but still refreshes.
    Push({"Update", "7", "1", "0", "2147483647", "1"});
    EXPECT_EQ(Object().level, 1);
    EXPECT_EQ(Object().ownIconName, "");
    Push({"Update", "999", "1"});
    EXPECT_EQ(target_.calls.back(), "object 999");
}

TEST_F(DispatcherTest, TileUpdateChangesEveryTileOfTheNameAndRefreshesTheNameOnce) {
    target_.current = 502;
    Push({"TileUpdate", "CLOCK", "1", "Noon", "0", "", "1", "12:00", "0", "0", "0", "0"});
    EXPECT_EQ(FirstTile(501).label, "Noon");
    EXPECT_EQ(std::get<TextTileData>(FirstTile(502).typeData).text, "12:00");
    EXPECT_EQ(target_.calls, (std::vector<std::string>{"tiles CLOCK", "wake"}));

    // All flags off with the redraw flag: a refresh without change, no wake.
    target_.calls.clear();
    Push({"TileUpdate", "Clock", "0", "x", "0", "", "0", "", "0", "0", "0", "1"});
    EXPECT_EQ(FirstTile(501).label, "Noon");
    EXPECT_EQ(target_.calls, std::vector<std::string>{"tiles Clock"});
    // The picture goes only to an image tile.
    Push({"TileUpdate", "Cam", "0", "", "1", "new.png", "0", "", "0", "0", "0", "0"});
    EXPECT_EQ(
        std::get<ImageTileData>(target_.design.FindDisplay(502)->tiles.back().typeData).imageName,
        "new.png");
}

TEST_F(DispatcherTest, DisplayChangeShowsTimesAndGoesBack) {
    Push({"DisplayChange", "501", "0", "1", "20"});
    EXPECT_EQ(target_.calls, (std::vector<std::string>{"timed 501 20000", "show 501", "wake"}));
    target_.calls.clear();
    target_.top = 501;
    // On top already: only with the force flag (field 8, present).
    Push({"DisplayChange", "501", "0", "0", "0"});
    Push({"DisplayChange", "501", "0", "0", "0", "1"});
    EXPECT_EQ(target_.calls, (std::vector<std::string>{"show 501 force", "wake"}));
    target_.calls.clear();
    Push({"DisplayChange", "0", "1"});
    Push({"DisplayChange", "0", "2"});
    Push({"DisplayChange", "404", "0"});
    // Seconds beyond what a timer takes are clamped, computed in 64 bits.
    Push({"DisplayChange", "502", "0", "1", "2147483647"});
    EXPECT_EQ(target_.calls,
              (std::vector<std::string>{"show 500", "wake", "back", "timed 502 2147483647",
                                        "show 502", "wake"}));
}

TEST_F(DispatcherTest, TextDisplayChangeWritesOnlyIntoATextDisplay) {
    target_.current = 501;
    Push({"TextDisplayChange", "501", "Hello", "255", "65280", "1", "5000"});
    EXPECT_EQ(std::get<TextTileData>(FirstTile(501).typeData).text, "Hello");
    EXPECT_EQ(FirstTile(501).backColor, 255);
    EXPECT_EQ(target_.calls,
              (std::vector<std::string>{"refresh", "timed 501 5000", "show 501", "wake"}));
    target_.calls.clear();
    Push({"TextDisplayChange", "500", "Hello", "1", "1", "1", "5000"});  // no tiles
    EXPECT_TRUE(target_.calls.empty());
}

TEST_F(DispatcherTest, ServerStatusLogAndExtendedStatusGoWhereTheyBelong) {
    Push({"ServerStatus", "1", "4", "0", "0", "0", "9"});
    Push({"ServerStatus", "7"});
    EXPECT_EQ(target_.calls, (std::vector<std::string>{"status 2 4 9", "status 1 0 0"}));

    // Nothing registered: nothing posted, nothing kept.
    Push({"LogAdd", "3", "Motion"});
    Push({"ExtServerStatus", "1"});
    Collector log;
    windows_.RegisterLogWindow(&log);
    Push({"LogAdd", "3", "Motion"});
    EXPECT_EQ(log.lastText, "Motion");

    Collector tile;
    {
        Collector gone;
        windows_.StatusTiles().Register(&gone);
    }
    Push({"ExtServerStatus", "1"});  // the tile that registered is gone
    windows_.StatusTiles().Register(&tile);
    Push({"ExtServerStatus", "1", "20240315120000"});  // fewer than 11 fields: no lines
    EXPECT_EQ(tile.messages.size(), 1u);
    EXPECT_TRUE(tile.lastRecord.dateTimes[0].valid);
    EXPECT_TRUE(tile.lastRecord.lines.empty());
    std::vector<std::string> many = {"ExtServerStatus", "2", "", "", "", "up", "a", "b", "Title"};
    for (int i = 0; i < 200; ++i)
        many.push_back("line" + std::to_string(i));
    Push(many);
    EXPECT_EQ(tile.lastRecord.texts[3], "Title");
    ASSERT_EQ(tile.lastRecord.lines.size(), static_cast<std::size_t>(kMaxExtendedStatusLines));
    EXPECT_EQ(tile.lastRecord.lines.front(), "line0");
}

TEST_F(DispatcherTest, SoundAndSpeechOnlyWithClientSound) {
    Push({"TextToSpeech", "0", "Dinner", "", "", "0", "100", "1"});
    ASSERT_EQ(spoken_.size(), 1u);
    EXPECT_EQ(spoken_[0].text, "Dinner");
    EXPECT_EQ(spoken_[0].volume, 100);
    Push({"PlaySound", "sounds\\bell.wav"});
    EXPECT_EQ(channel_.Methods(), std::vector<std::string>{"GetFile"});
    EXPECT_TRUE(played_.empty());  // the server has no such file
    EXPECT_TRUE(reporter_.messages.empty());

    settings_.clientSound = 0;
    Push({"PlaySound", "sounds\\bell.wav"});
    Push({"TextToSpeech", "0", "Again"});
    EXPECT_EQ(channel_.requests.size(), 1u);
    EXPECT_EQ(spoken_.size(), 1u);
}

TEST_F(DispatcherTest, ClientOperationsAndTheMessagePopup) {
    Push({"TextDisplayInWindow", "Door bell", "0", "16777215", "10"});
    Push({"ClientOperation", "0"});
    Push({"ClientOperation", "1"});
    EXPECT_EQ(target_.calls, (std::vector<std::string>{"reset", "exit"}));

    // The restart file is ours alone: a link planted in its place is
    // replaced, not followed.
    const auto victim = dir_.Write("victim.txt", "keep");
    const auto restart = NotificationDispatcher::RestartFilePath(dir_.Path());
    std::filesystem::create_symlink(victim, restart);
    Push({"ClientOperation", "2"});
    EXPECT_EQ(testing::Slurp(victim), "keep");
    EXPECT_FALSE(std::filesystem::is_symlink(restart));
    EXPECT_EQ(testing::Slurp(restart), "shutdown -r\n");
    struct stat info {};
    ASSERT_EQ(::stat(restart.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    const auto program = dir_.Write("tool.sh", "");
    Push({"ClientOperation", "3", "/no/such/program", "", ""});
    Push({"ClientOperation", "3", program.string(), "", ""});
    EXPECT_EQ(launcher_.started,
              (std::vector<std::string>{"zolmsg 10,0,16777215,Door bell", restart.string() + " ",
                                        program.string() + " "}));
}

}  // namespace
}  // namespace zol
