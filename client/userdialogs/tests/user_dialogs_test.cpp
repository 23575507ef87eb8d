// The question dialogs and their host: answers, reports, time-outs,
// nesting and the connection loss.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "client/core/alert.h"
#include "client/model/tests/model_fakes.h"
#include "client/userdialogs/digit_pad.h"
#include "client/userdialogs/onscreen_keyboard.h"
#include "client/userdialogs/time_entry.h"
#include "client/userdialogs/user_dialog_host.h"
#include "client/userdialogs/user_ir_keypad.h"
#include "client/userdialogs/user_ui_choice.h"
#include "client/userdialogs/user_ui_complete.h"
#include "client/userdialogs/user_ui_numeric.h"
#include "client/userdialogs/user_ui_text.h"
#include "client/userdialogs/user_ui_time.h"
#include "serverlink/field_list.h"
#include "user_dialog_fakes.h"

namespace zol {
namespace {

using testing::Fields;
using namespace std::chrono_literals;

// A "UserDialog" push as the dispatcher decodes it; `fields` from field 4.
UserDialogRequest Push(std::vector<std::string> fields) {
    std::vector<FieldValue> values(3);
    for (std::string& f : fields) {
        FieldValue v;
        v.text = std::move(f);
        values.push_back(std::move(v));
    }
    return UserDialogRequestFromPush(values);
}

// Field 4 kind, 5 prompt, 6-9 texts, 10 masked, 11-22 keys, 23-28 time-out
// on, seconds, activity, keyboard, initial value, dialog id.
UserDialogRequest Ask(int kind, std::array<std::string, 4> texts = {}, std::string initial = {},
                      int timeout = 0, bool activity = false, int id = 7) {
    std::vector<std::string> f = {std::to_string(kind), "Question?"};
    f.insert(f.end(), texts.begin(), texts.end());
    f.push_back("0");
    for (int i = 0; i < 12; ++i)
        f.push_back("");
    f.push_back(timeout > 0 ? "1" : "0");
    f.push_back(std::to_string(timeout));
    f.push_back(activity ? "1" : "0");
    f.push_back("0");
    f.push_back(initial);
    f.push_back(std::to_string(id));
    return Push(f);
}

class UserDialogsTest : public ::testing::Test {
  protected:
    UserDialogHost::Environment Env() {
        UserDialogHost::Environment env;
        env.clock = &clock_;
        env.reports = &sink_;
        env.launcher = &launcher_;
        env.oskPath = [] { return std::string("C:\\Windows\\System32\\osk.exe"); };
        return env;
    }
    // Opens the request; `act` runs inside its modal loop.
    void Run(const UserDialogRequest& request, std::function<void(QDialog*)> act) {
        host_.SetShownHook(std::move(act));
        host_.Open(request);
    }

    testing::FakeClock clock_;
    testing::FakeLauncher launcher_;
    testing::RecordingReportSink sink_;
    UserDialogHost host_{Env()};
};

TEST(UserDialogRequestTest, FieldsBeyondThePushReadAsZeroAndTimeoutsAreClamped) {
    const UserDialogRequest empty = Push({});
    EXPECT_EQ(empty.kind, 0);
    EXPECT_FALSE(empty.HasTimeout());
    UserDialogRequest r = Ask(0, {}, {}, 5);
    EXPECT_TRUE(r.HasTimeout());
    std::vector<std::string> f(25, "1");
    f[20] = "-5";  // field 24
    EXPECT_FALSE(Push(f).HasTimeout());
    f[20] = "2147483647";
    EXPECT_EQ(Push(f).timeoutSeconds, kMaxDialogTimeoutSeconds);
}

TEST(TimeEntryTest, TypingPresetsAndRefusals) {
    TimeEntry typed;
    for (int d : {1, 2, 3, 0})
        typed.TypeDigit(d);
    EXPECT_EQ(typed.Display(), "12:30 AM");
    EXPECT_EQ(TimeEntry::Format(*typed.Answer()), "00:30");

    TimeEntry pm;
    pm.TogglePm();
    for (int d : {1, 2, 3, 0})
        pm.TypeDigit(d);
    EXPECT_EQ(pm.Display(), "12:30 PM");
    EXPECT_EQ(TimeEntry::Format(*pm.Answer()), "12:30");

    EXPECT_EQ(TimeEntry("1230").Display(), "12:30 PM");
    EXPECT_EQ(TimeEntry::Format(*TimeEntry("1230").Answer()), "12:30");
    EXPECT_EQ(TimeEntry::Format(*TimeEntry("1745").Answer()), "17:45");
    EXPECT_EQ(TimeEntry("1745").Display(), "05:45 PM");
    EXPECT_EQ(TimeEntry("2460").Display(), "00:00 AM");
    EXPECT_EQ(TimeEntry("12:3").Display(), "00:00 AM");

    TimeEntry wild;  // 9, 9, 9, 9: hour 99 is refused, then a fifth digit starts over
    for (int d : {9, 9, 9, 9})
        wild.TypeDigit(d);
    EXPECT_FALSE(wild.Answer());
    wild.TypeDigit(5);
    EXPECT_EQ(wild.Display(), "00:05 AM");
    for (int d : {0, 7, 7})
        wild.TypeDigit(d);
    EXPECT_FALSE(wild.Answer()) << "minute 77";
}

TEST_F(UserDialogsTest, ReportsForOkCancelTimeoutAndActivity) {
    // OK on a number typed 0, 4, 2.
    Run(Ask(0), [](QDialog* d) {
        auto* n = static_cast<CUserUINumeric*>(d);
        for (int digit : {0, 4, 2})
            n->Pad()->DigitKey(digit)->click();
        n->OkButton()->click();
    });
    // An empty number answers 0.
    Run(Ask(0, {}, {}, 0, false, 8),
        [](QDialog* d) { static_cast<CUserUIDialog*>(d)->OkButton()->click(); });
    Run(Ask(1), [](QDialog* d) {
        auto* t = static_cast<CUserUIText*>(d);
        t->Entry()->setText(QStringLiteral("abc"));
        t->CancelButton()->click();
    });
    // Time-out of 10 s without input.
    Run(Ask(2, {}, "0915", 10, true, 9), [this](QDialog*) { clock_.Advance(10s); });
    ASSERT_EQ(sink_.reports.size(), 4u);
    EXPECT_EQ(Fields(sink_.reports[0]), "1,1,7,1,42");
    EXPECT_EQ(Fields(sink_.reports[1]), "1,1,8,1,0");
    EXPECT_EQ(Fields(sink_.reports[2]), "1,2,7,3,");
    EXPECT_EQ(Fields(sink_.reports[3]), "1,2,9,2,");
    EXPECT_EQ(sink_.reports[0].Message(),
              FieldList({"ZOLApp", "UserDialogReport", "1", "1", "7", "1", "42"}).Message());
}

TEST_F(UserDialogsTest, InputWithinTheTimeoutSendsOneActivityReportAndStopsIt) {
    Run(Ask(0, {}, {}, 10, true), [this](QDialog* d) {
        auto* n = static_cast<CUserUINumeric*>(d);
        clock_.Advance(3s);
        n->Pad()->DigitKey(5)->click();
        n->Pad()->DigitKey(6)->click();
        clock_.Advance(60s);  // no time-out any more
        EXPECT_TRUE(n->isVisible());
        n->OkButton()->click();
    });
    ASSERT_EQ(sink_.reports.size(), 2u);
    EXPECT_EQ(Fields(sink_.reports[0]), "0,0,0,0,");
    EXPECT_EQ(Fields(sink_.reports[1]), "1,1,7,1,56");
}

TEST_F(UserDialogsTest, ChoicesCountToTheLastTextAndPresetsOutsideBecomeZero) {
    CUserUIChoice choice(Ask(3, {"A", "", "C", ""}, "3"), clock_, 13, 96);
    EXPECT_EQ(choice.ChoiceCount(), 3);
    EXPECT_FALSE(choice.ChoiceButton(1)->isHidden());
    EXPECT_TRUE(choice.ChoiceButton(3)->isHidden());
    EXPECT_EQ(choice.Selected(), 0) << "index 3 is not among the three choices";
    choice.ChoiceButton(2)->click();
    choice.accept();
    EXPECT_EQ(choice.Answer(), "2");
    EXPECT_EQ(CUserUIChoice(Ask(3, {"A", "B"}, "1"), clock_, 14, 96).Selected(), 1);
    EXPECT_EQ(CUserUIChoice(Ask(3, {"A", "B"}, "-1"), clock_, 15, 96).Selected(), 0);
}

TEST_F(UserDialogsTest, TimeDialogAnswersTwentyFourHourAndRefusesBadTimes) {
    CUserUITime preset(Ask(2, {}, "1230"), clock_, 13, 96);
    EXPECT_EQ(preset.Display(), "12:30 PM");
    preset.accept();
    EXPECT_EQ(preset.Answer(), "12:30");

    CUserUITime bad(Ask(2, {}, "2460"), clock_, 14, 96);
    EXPECT_EQ(bad.Display(), "00:00 AM");
    for (int d : {9, 9, 0, 0})
        bad.Pad()->DigitKey(d)->click();
    bad.Begin();
    bad.show();
    bad.accept();
    EXPECT_TRUE(bad.isVisible()) << "hour 99 is refused";
    bad.Pad()->ClearKey()->click();
    bad.Pad()->ExtraKey()->click();
    for (int d : {1, 2, 3, 0})
        bad.Pad()->DigitKey(d)->click();
    bad.accept();
    EXPECT_EQ(bad.Answer(), "12:30");
}

TEST_F(UserDialogsTest, KeysAppendTheirTextsAndEntriesAreCapped) {
    UserDialogRequest r = Ask(4, {"Left&Right", "", "", ""});
    r.keyTexts[0] = "1|one";
    CUserUIComplete keys(r, clock_, 13, 96);
    keys.Key(0)->click();
    keys.Key(4)->click();
    EXPECT_EQ(keys.Entry(), "Left&Right1");
    EXPECT_EQ(keys.Key(4)->text(), QStringLiteral("1\none"));
    EXPECT_FALSE(keys.Key(5)->isEnabled()) << "a key without a label types nothing";
    for (int i = 0; i < 500; ++i)
        keys.Key(0)->click();
    EXPECT_EQ(keys.Entry().size(), kMaxAnswerBytes);

    CUserUINumeric code(Ask(0), clock_, 16, 96);
    for (int d : {0, 1, 2, 3})
        code.Pad()->DigitKey(d)->click();
    EXPECT_EQ(code.Digits(), "0123") << "the unlock check reads the digits as typed";

    CUserUINumeric number(Ask(0), clock_, 14, 96);
    for (int i = 0; i < 12; ++i)
        number.Pad()->DigitKey(9)->click();
    number.accept();
    EXPECT_EQ(number.Answer(), "2147483647") << "numbers saturate";
}

TEST_F(UserDialogsTest, UnknownKindsAndFloodsAreAnsweredAtOnce) {
    host_.Open(Ask(9));
    ASSERT_EQ(sink_.reports.size(), 1u);
    EXPECT_EQ(Fields(sink_.reports[0]), "1,2,7,0,");
    sink_.reports.clear();

    // Twenty pushes arriving inside each other's loops: eight dialogs open.
    int pushes = 0;
    std::size_t deepest = 0;
    host_.SetShownHook([&](QDialog* d) {
        deepest = std::max(deepest, host_.OpenCount());
        while (++pushes < 20)
            host_.Open(Ask(0, {}, {}, 0, false, pushes));
        d->reject();
    });
    host_.Open(Ask(0, {}, {}, 0, false, 0));
    EXPECT_EQ(deepest, kMaxNestedDialogs);
    EXPECT_EQ(sink_.reports.size(), 20u) << "exactly one report per request";
    EXPECT_EQ(host_.OpenCount(), 0u);
}

TEST_F(UserDialogsTest, ConnectionLossClosesEveryDialogWithoutAReport) {
    host_.SetShownHook([this](QDialog*) {
        if (host_.OpenCount() < 3) {
            host_.Open(Ask(host_.OpenCount() == 1 ? 5 : 1));
            return;
        }
        host_.CloseAll();
    });
    host_.Open(Ask(0));
    EXPECT_EQ(host_.OpenCount(), 0u);
    EXPECT_TRUE(sink_.reports.empty());
}

TEST_F(UserDialogsTest, AnAnswerNeverGoesToTheNextConnection) {
    std::uint64_t generation = 1;
    UserDialogHost::Environment env = Env();
    env.connectionGeneration = [&] { return generation; };
    UserDialogHost host(env);
    host.SetShownHook([&](QDialog* d) {
        ++generation;  // dropped and connected again while the dialog was open
        static_cast<CUserUIDialog*>(d)->OkButton()->click();
    });
    host.Open(Ask(0));
    EXPECT_TRUE(sink_.reports.empty());
}

TEST_F(UserDialogsTest, AlertsReportYesNoOkAndTimeout) {
    UserDialogRequest confirm = Ask(5, {}, {}, 0);
    confirm.alertKind = 1;
    confirm.leftCaption = "Open it";
    Run(confirm, [](QDialog* d) {
        auto* alert = static_cast<CAlert*>(d);
        EXPECT_EQ(alert->LeftButton()->text(), QStringLiteral("Open it"));
        alert->RightButton()->click();  // No
    });
    Run(confirm, [](QDialog* d) { static_cast<CAlert*>(d)->LeftButton()->click(); });
    UserDialogRequest info = Ask(5, {}, {}, 4);
    info.alertKind = 5;
    Run(info, [this](QDialog*) { clock_.Advance(4s); });
    Run(info, [](QDialog* d) { static_cast<CAlert*>(d)->OkButton()->click(); });
    ASSERT_EQ(sink_.reports.size(), 4u);
    EXPECT_EQ(Fields(sink_.reports[0]), "1,2,7,0,");
    EXPECT_EQ(Fields(sink_.reports[1]), "1,1,7,0,");
    EXPECT_EQ(Fields(sink_.reports[2]), "1,2,7,0,") << "a timed-out alert is not an OK";
    EXPECT_EQ(Fields(sink_.reports[3]), "1,1,7,0,");
}

TEST_F(UserDialogsTest, TextDialogOpensTheOnScreenKeyboard) {
    UserDialogRequest r = Ask(1);
    r.keyboard = true;
    Run(r, [](QDialog* d) { d->reject(); });
    ASSERT_EQ(launcher_.started.size(), 1u);
    EXPECT_EQ(launcher_.started[0], "onboard ");
    EXPECT_EQ(OnScreenKeyboardProgram("florence"), "florence");
    EXPECT_EQ(OnScreenKeyboardProgram(""), "");
}

TEST(UserIrKeypadTest, WildGeometryIsClampedAndOnlyTheFirstPressIsFirst) {
    std::vector<std::pair<std::string, bool>> sent;
    std::vector<IrKeypadEntry> entries = {
        {"POWER", "Power", 10, 10, 40, 20, false},
        {"", "TV", 60, 10, 40, 20, true},
        {"VOL+", "Vol +", 2'000'000'000, -2'000'000'000, 2'000'000'000, 5, false},
    };
    CUserIRKeypad keypad(
        "Living - TV", entries,
        [&](const std::string& k, bool first) { sent.emplace_back(k, first); }, 96);
    EXPECT_LE(keypad.width(), 2 * (kIrMaxCoordinate + kIrMaxSize) + 100);
    EXPECT_LE(keypad.height(), 2 * (kIrMaxCoordinate + kIrMaxSize) + 200);
    ASSERT_EQ(keypad.Buttons().size(), 2u);
    EXPECT_EQ(keypad.Buttons()[0]->geometry(), QRect(20, 40, 80, 40))
        << "the wild entry clamps to the top";
    keypad.Buttons()[0]->click();
    keypad.Buttons()[1]->click();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], std::make_pair(std::string("POWER"), true));
    EXPECT_EQ(sent[1], std::make_pair(std::string("VOL+"), false));
}

}  // namespace
}  // namespace zol
