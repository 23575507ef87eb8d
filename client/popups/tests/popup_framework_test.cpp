#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include "client/popups/control_popup_registry.h"
#include "client/popups/open_control_popup.h"
#include "client/popups/tests/popup_fixture.h"
#include "client/popups/tui_button.h"
#include "client/popups/tui_key_button.h"
#include "client/popups/tui_keypad.h"

namespace zol::testing {
namespace {

using namespace std::chrono_literals;

class PopupFrameworkTest : public PopupTest {
  protected:
    std::unique_ptr<CTUIPopup> OpenKeypad(std::int32_t id = 7) {
        auto popup = MakeControlPopup(*ResolvePopupTemplate("KL8"), id, Context());
        EXPECT_TRUE(popup->Initialise());
        popup->show();
        return popup;
    }
    void SetUp() override { AddObject(7, "Hall", "Keypad").buttonCount = 8; }
};

TEST_F(PopupFrameworkTest, ClosesAfterTheIdleTimeAndEachPressStartsItAgain) {
    settings.enablePopupCloseTime = 1;
    auto popup = OpenKeypad();
    clock.Advance(59s);
    auto* keypad = static_cast<CTUIKeypad*>(popup.get());
    keypad->PressKey(0);
    clock.Advance(59s);
    EXPECT_TRUE(popup->isVisible());
    clock.Advance(1s);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(popup->result(), QDialog::Accepted);
}

TEST_F(PopupFrameworkTest, StaysOpenWithoutTheCloseSettingAndOnlyTimerTenCloses) {
    auto popup = OpenKeypad();
    clock.Advance(24h);
    EXPECT_TRUE(popup->isVisible());
    // Another timer of the pop-up's window does its own work only.
    settings.enablePopupCloseTime = 1;
    popup->Timers().StartOneShot(16, 1s, [] {});
    clock.Advance(2s);
    EXPECT_TRUE(popup->isVisible());
}

TEST_F(PopupFrameworkTest, APressIsUserActivityAndHomeReturnWaitsWhileOpen) {
    settings.enablePopupCloseTime = 1;
    auto popup = OpenKeypad();
    static_cast<CTUIKeypad*>(popup.get())->PressKey(1);
    PostAppMessage(&frame, AppMessage::UiCommand, static_cast<int>(UiCommandCode::Home));
    PostAppMessage(&frame, AppMessage::UiCommand, static_cast<int>(UiCommandCode::Back));
    DeliverPosted();
    EXPECT_EQ(view.Count(AppMessage::UserActivity), 1);
    ASSERT_EQ(frame.received.size(), 1u);  // "Back" passes, "Home" waits
    popup->accept();
    DeliverPosted();
    EXPECT_EQ(view.Count(AppMessage::UserActivity), 2);  // the wait starts again
    PostAppMessage(&frame, AppMessage::UiCommand, static_cast<int>(UiCommandCode::Home));
    DeliverPosted();
    EXPECT_EQ(frame.received.size(), 2u);
}

TEST_F(PopupFrameworkTest, AMissingObjectOpensNothingAndAVanishedOneClosesThePopup) {
    EXPECT_FALSE(MakeControlPopup(*ResolvePopupTemplate("KL8"), 99, Context())->Initialise());
    auto popup = OpenKeypad();
    EXPECT_EQ(ControlPopups().OpenPopup(), popup.get());
    design.Clear();
    PostAppMessage(ControlPopups().OpenPopup(), AppMessage::ObjectChanged, 0, 7);
    DeliverPosted();
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(ControlPopups().OpenPopup(), nullptr);
    static_cast<CTUIKeypad*>(popup.get())->PressKey(0);
    EXPECT_TRUE(channel.requests.empty());
}

TEST_F(PopupFrameworkTest, ClearingTheViewWhileAModalKeypadRunsIsClean) {
    QPointer<QWidget> owner(new QWidget());
    QTimer::singleShot(0, [&] {
        PostAppMessage(ControlPopups().OpenPopup(), AppMessage::ObjectChanged, 0, 7);
        CloseAllControlPopups();
        design.Clear();
        delete owner.data();
        PostAppMessage(ControlPopups().OpenPopup(), AppMessage::ObjectChanged, 0, 7);
    });
    const int result = OpenControlPopup(*ResolvePopupTemplate("KL8Load"), 7, Context(), owner);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(ControlPopups().AnyOpen());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(channel.requests.empty());
}

TEST_F(PopupFrameworkTest, TitleIsConcatenatedNotFormatted) {
    AddObject(8, "Room %2", "Lamp %1");
    auto popup = MakeControlPopup(*ResolvePopupTemplate("onoff"), 8, Context());
    ASSERT_TRUE(popup->Initialise());
    EXPECT_EQ(popup->Title()->text(), QStringLiteral("Room %2 - Lamp %1"));
}

TEST(TUIButtonTest, SizedByTheScreenDpiAndDrawnAtHalfOpacityWhenDisabled) {
    CTUIButton at144(144);
    CTUIButton at96(96);
    ASSERT_TRUE(at144.LoadSlotImage("PopupClose.png", 0));
    ASSERT_TRUE(at96.LoadSlotImage("PopupClose.png", 0));
    EXPECT_EQ(at144.size(), QSize(72, 72));
    EXPECT_EQ(at96.size(), QSize(48, 48));  // one button's DPI is no other's
    EXPECT_FALSE(at96.LoadSlotImage("NoSuchPicture.png", 1));
    EXPECT_FALSE(at96.SlotLoaded(1));

    const auto darkest = [](CTUIButton& b) {
        b.SetBackColor(0xFFFFFF);
        QImage image(b.size(), QImage::Format_ARGB32);
        b.render(&image);
        int least = 255;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                least = std::min(least, qGray(image.pixel(x, y)));
        return least;
    };
    const int enabled = darkest(at96);
    at96.setEnabled(false);
    const int disabled = darkest(at96);
    // Half the picture over white: about half as far from white.
    EXPECT_NEAR(255 - disabled, (255 - enabled) / 2, 6);
}

}  // namespace
}  // namespace zol::testing

namespace zol::testing {
namespace {

class PopupReentrancyTest : public PopupFrameworkTest {};

TEST_F(PopupReentrancyTest, AnObjectFreedInsideACommandsMessageBoxClosesThePopup) {
    // The failure's message box runs a nested loop in which a reload frees
    // every object; the pop-up must not touch the freed record afterwards.
    struct ClearingReporter : FakeReporter {
        Design* design = nullptr;
        void ShowMessage(std::string_view text) override {
            FakeReporter::ShowMessage(text);
            design->Clear();
        }
    } clearing;
    clearing.design = &design;
    failMethod = "Device.Keypress";
    PopupContext context = Context();
    context.services.reporter = &clearing;
    auto popup = MakeControlPopup(*ResolvePopupTemplate("KL8"), 7, context);
    ASSERT_TRUE(popup->Initialise());
    popup->show();
    static_cast<CTUIKeypad*>(popup.get())->PressKey(2);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(clearing.messages.size(), 1u);
}

TEST_F(PopupReentrancyTest, CloseAllEndsEveryTrackedWindowAndForgetsTheOpenPopup) {
    auto popup = OpenKeypad();
    QDialog graphKey;  // any window that shows design records registers
    graphKey.show();
    ControlPopups().Track(&graphKey);
    EXPECT_TRUE(ControlPopups().AnyOpen());
    CloseAllControlPopups();
    EXPECT_FALSE(popup->isVisible());
    EXPECT_FALSE(graphKey.isVisible());
    EXPECT_EQ(ControlPopups().OpenPopup(), nullptr);
    EXPECT_FALSE(ControlPopups().AnyOpen());
}

}  // namespace
}  // namespace zol::testing
