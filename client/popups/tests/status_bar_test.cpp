// The status bar: state colours, text slots on a fake clock, and the lock.
#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include "client/core/app_messages.h"
#include "client/core/client_settings.h"
#include "client/model/tests/model_fakes.h"
#include "client/popups/ctui_status_bar.h"
#include "client/popups/status_bar_source.h"
#include "client/popups/tui_button.h"
#include "client/popups/unlock_code.h"
#include "guibase/color_ref.h"

namespace zol {
namespace {

using namespace std::chrono_literals;

class FakeSource : public StatusBarSource {
  public:
    int HistoryCount() const override { return history; }
    std::string CurrentDisplayCaption() const override { return caption; }
    std::string DesignTitle() const override { return "Demo House"; }
    bool Connecting() const override { return connecting; }
    std::string FormatText(std::string_view text) override {
        formatted.emplace_back(text);
        return "formatted " + std::to_string(formatted.size());
    }
    int history = 0;
    std::string caption = "Main";
    bool connecting = false;
    std::vector<std::string> formatted;
};

// Collects the UI commands the bar posts.
class CommandSink : public QObject {
  public:
    bool event(QEvent* e) override {
        if (AppMessageEvent* m = AppMessageEvent::From(e)) {
            commands.emplace_back(static_cast<int>(m->WParam()), static_cast<int>(m->LParam()));
            return true;
        }
        return QObject::event(e);
    }
    std::vector<std::pair<int, int>> commands;
};

class StatusBarTest : public ::testing::Test {
  protected:
    StatusBarTest() {
        settings_.statusBarTextOption = {1, 4, 4};
        settings_.statusBarUserText = {"", "Plain", "Now %T"};
        settings_.statusBarTextOption2 = {3, 0, 4};
        settings_.statusBarUserText2 = {"", "", "Deep"};
        settings_.statusBarTextUpdateTime = 5;
    }
    std::unique_ptr<CTUIStatusBar> MakeBar() {
        CTUIStatusBar::Environment env;
        env.settings = &settings_;
        env.clock = &clock_;
        env.source = &source_;
        env.commandTarget = &sink_;
        env.askUnlockCode = [this]() -> std::optional<std::string> {
            ++asked_;
            return typed_;
        };
        auto bar = std::make_unique<CTUIStatusBar>(env, 96);
        bar->resize(1280, 50);
        return bar;
    }
    std::vector<std::pair<int, int>> Posted() {
        QCoreApplication::sendPostedEvents(&sink_);
        return sink_.commands;
    }

    ClientSettings settings_;
    testing::FakeClock clock_;
    FakeSource source_;
    CommandSink sink_;
    std::optional<std::string> typed_;
    int asked_ = 0;
};

TEST_F(StatusBarTest, ServerStateAndLostConnectionChooseTheColour) {
    auto bar = MakeBar();
    bar->ConnectionStateChanged(true);
    EXPECT_EQ(bar->StateIndex(), 0);
    bar->ServerStatusChanged(2, {});  // reply field 4 = 1
    EXPECT_EQ(bar->StateIndex(), 1);
    EXPECT_EQ(FromColorRef(bar->ExitButton()->BackColor()), QColor(0xFF, 0xD4, 0x67));
    bar->ServerStatusChanged(3, {});  // reply field 4 = 2
    EXPECT_EQ(bar->StateIndex(), 2);
    bar->ServerStatusChanged(1, {});
    EXPECT_EQ(bar->StateIndex(), 0);
    bar->ConnectionStateChanged(false);
    EXPECT_EQ(bar->StateIndex(), 2) << "a dropped connection is red";
    EXPECT_EQ(bar->StateColor(), QColor(0xFF, 0x67, 0x67));
}

TEST_F(StatusBarTest, SubDisplaysShowTheSecondTextSet) {
    auto bar = MakeBar();
    bar->Refresh();
    EXPECT_EQ(bar->Slots(), (SlotTexts{"Main", "Plain", "Now %T"})) << "not connected: raw";
    source_.history = 1;
    source_.caption = "Kitchen";
    AppMessageEvent shown(AppMessage::ShowDisplay, 0, 5);
    QCoreApplication::sendEvent(bar.get(), &shown);
    EXPECT_EQ(bar->Slots(), (SlotTexts{"Demo House", "", "Deep"}));
    EXPECT_TRUE(bar->BackButton()->isEnabled());
    source_.history = 0;
    source_.caption = "Main";
    AppMessageEvent home(AppMessage::ShowDisplay, 0, 1);
    QCoreApplication::sendEvent(bar.get(), &home);
    EXPECT_EQ(bar->Slots()[0], "Main");
    EXPECT_FALSE(bar->BackButton()->isEnabled());
}

TEST_F(StatusBarTest, PercentTextsAreFormattedOncePerUpdatePeriod) {
    auto bar = MakeBar();
    bar->ConnectionStateChanged(true);  // 0:00
    ASSERT_EQ(source_.formatted, std::vector<std::string>{"Now %T"}) << "plain texts never are";
    EXPECT_EQ(bar->Slots()[2], "formatted 1");
    clock_.Advance(4min + 59s);  // timer 14 ticks all the way
    EXPECT_EQ(source_.formatted.size(), 1u);
    clock_.Advance(1s);  // 5:00
    EXPECT_EQ(source_.formatted.size(), 2u);
}

TEST_F(StatusBarTest, FormattingDoesNotReenterFromANestedLoop) {
    StatusBarTexts texts(settings_);
    int calls = 0;
    const auto now = std::chrono::system_clock::now();
    texts.RefreshUserTexts(true, now, [&](std::string_view) {
        ++calls;
        // A message box's loop runs the next tick inside this one.
        texts.RefreshUserTexts(true, now + 1s, [&](std::string_view) {
            ++calls;
            return std::string();
        });
        return std::string("x");
    });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(texts.NextUpdate(), now + 5min);
}

TEST_F(StatusBarTest, DateTimeFormatFallsBackWhenStrftimeGivesNothing) {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 8;
    t.tm_wday = 2;
    t.tm_hour = 13;
    t.tm_min = 5;
    EXPECT_EQ(FormatStatusDateTime("%H:%M", t), "13:05");
    EXPECT_EQ(FormatStatusDateTime("", t), "Tuesday December 08 - 01:05 PM");
    EXPECT_EQ(FormatStatusDateTime(std::string(300, 'x'), t), "Tuesday December 08 - 01:05 PM");
}

TEST_F(StatusBarTest, HomeModesOutsideThePicturesAreIgnored) {
    auto bar = MakeBar();
    bar->HomeModeChanged(1);
    EXPECT_EQ(bar->ControlPanelButton()->ShownSlot(), 1);
    bar->HomeModeChanged(3);
    bar->HomeModeChanged(-1);
    EXPECT_EQ(bar->ControlPanelButton()->ShownSlot(), 1);
}

TEST_F(StatusBarTest, FullLockStopsDraggingExitAndClose) {
    auto bar = MakeBar();
    bar->show();
    const QPoint start = bar->pos();
    bar->SetLockMode(kFullLock);
    EXPECT_TRUE(bar->ExitButton()->isHidden());
    EXPECT_TRUE(bar->MinimiseButton()->isHidden());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(600, 20), QPointF(600, 20), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, QPointF(700, 90), QPointF(700, 90), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar.get(), &press);
    QCoreApplication::sendEvent(bar.get(), &move);
    EXPECT_EQ(bar->pos(), start);
    bar->ExitButton()->click();
    bar->MinimiseButton()->click();
    settings_.uiExitPasswordEnable = 1;
    typed_ = "629148305716";
    EXPECT_FALSE(bar->ExitAllowed(false)) << "a close from outside under a full lock";
    EXPECT_TRUE(bar->ExitAllowed(true)) << "an exit the program starts";
    EXPECT_EQ(asked_, 0);
    EXPECT_TRUE(Posted().empty());

    bar->SetLockMode(kPartialLock);
    EXPECT_FALSE(bar->ExitButton()->isHidden());
    EXPECT_TRUE(bar->MaximiseButton()->isHidden());
    EXPECT_TRUE(bar->ExitAllowed(false)) << "the default code opens";
    bar->SetLockMode(kUnlocked);
    EXPECT_FALSE(bar->MaximiseButton()->isHidden());
}

TEST_F(StatusBarTest, UnlockCodeIsTheDigitsAsTypedAndAWrongOneSendsNothing) {
    settings_.uiExitPasswordEnable = 1;
    settings_.uiLockCode = DigestOfUnlockCode("0123");
    auto bar = MakeBar();
    typed_ = "123";
    bar->ExitButton()->click();
    typed_.reset();  // cancelled
    bar->ExitButton()->click();
    EXPECT_TRUE(Posted().empty());
    typed_ = "0123";
    bar->ExitButton()->click();
    EXPECT_EQ(Posted(), (std::vector<std::pair<int, int>>{{4, 0}}));
    EXPECT_EQ(asked_, 3);
}

TEST(UnlockCodeTest, PlainStoredCodesCompareAsDigits) {
    const UiLockCode legacy = DecodeUiLockCode("629148305716");
    EXPECT_TRUE(UnlockCodeMatches(legacy, "629148305716"));
    // Saved and loaded again, the plain code has grown zeros; it still opens.
    EXPECT_TRUE(UnlockCodeMatches(DecodeUiLockCode(EncodeUiLockCode(legacy)), "629148305716"));
    EXPECT_FALSE(UnlockCodeMatches(legacy, "62914830571"));
    EXPECT_FALSE(UnlockCodeMatches(legacy, ""));
    const UiLockCode digest = DigestOfUnlockCode("4711");
    EXPECT_EQ(EncodeUiLockCode(digest), "B52340B4DE4566B804C9880AA0B4AF5F");
    EXPECT_TRUE(UnlockCodeMatches(digest, "4711"));
    EXPECT_FALSE(UnlockCodeMatches(digest, EncodeUiLockCode(digest)));
}

TEST_F(StatusBarTest, ControlPanelResultsBecomeCommandsButNoConnectDuringAConnect) {
    auto bar = MakeBar();
    int result = 7;
    bar->SetControlPanelRunner([&] { return result; });
    bar->ControlPanelButton()->click();
    source_.connecting = true;
    result = 1;
    bar->ControlPanelButton()->click();
    result = 2;
    bar->ControlPanelButton()->click();
    EXPECT_EQ(Posted(), (std::vector<std::pair<int, int>>{{12, 1}}));
}

}  // namespace
}  // namespace zol
