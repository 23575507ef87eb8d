#include <QSlider>
#include <QTest>

#include "client/popups/control_popup_registry.h"
#include "client/popups/dim_tracker.h"
#include "client/popups/level_slider.h"
#include "client/popups/open_control_popup.h"
#include "client/popups/popup_style.h"
#include "client/popups/tests/popup_fixture.h"
#include "client/popups/tui_key_button.h"
#include "client/popups/tui_keypad.h"

namespace zol::testing {
namespace {

class LoadPopupTest : public PopupTest {
  protected:
    template <typename T = CTUIKeypad>
    std::unique_ptr<T> Open(const char* templateName, std::int32_t id) {
        std::unique_ptr<CTUIPopup> popup =
            MakeControlPopup(*ResolvePopupTemplate(templateName), id, Context());
        EXPECT_TRUE(popup->Initialise());
        popup->show();
        return std::unique_ptr<T>(static_cast<T*>(popup.release()));
    }
    static int VisibleKeys(const CTUIKeypad& keypad) {
        int shown = 0;
        for (const CTUIKeyButton* key : keypad.Keys())
            shown += key->isVisibleTo(&keypad) ? 1 : 0;
        return shown;
    }
};

TEST_F(LoadPopupTest, KeypadSliderStepsCountFromTheLastLevelSent) {
    AddObject(1, "Hall", "Keypad").level = 40;
    auto keypad = Open("KL8LoadDim", 1);
    keypad->ChooseLevel(70);
    keypad->ChooseLevel(80);  // before the push: from 70, not from 40
    keypad->ChooseLevel(0);
    keypad->ChooseLevel(50);
    keypad->ChooseLevel(50);  // a second notification of the same action
    EXPECT_EQ(Sent(), (std::vector<std::string>{"Device.DimUpPercent 30", "Device.DimUpPercent 10",
                                                "Device.Off", "Device.DimToPercent 50"}));
    // A push tells the real level; the next step counts from it.
    design.FindObject(1)->level = 20;
    PostAppMessage(keypad.get(), AppMessage::ObjectChanged, 0, 1);
    DeliverPosted();
    keypad->ChooseLevel(30);
    EXPECT_EQ(Sent().back(), "Device.DimUpPercent 10");
}

TEST_F(LoadPopupTest, DimmerFirstMoveDimsToTheLevel) {
    AddObject(2, "Hall", "Lamp").level = 40;
    auto dimmer = Open<CTUILoadPopup>("onoffdim", 2);
    dimmer->ChooseLevel(70);
    dimmer->ChooseLevel(60);
    EXPECT_EQ(Sent(),
              (std::vector<std::string>{"Device.DimToPercent 70", "Device.DimDownPercent 10"}));
}

TEST_F(LoadPopupTest, SliderSendsOncePerUserActionAndNothingForProgramMoves) {
    AddObject(2, "Hall", "Lamp").level = 40;
    auto dimmer = Open<CTUILoadPopup>("onoffdim", 2);
    QSlider* slider = dimmer->LevelSlider()->Slider();
    dimmer->LevelSlider()->ShowLevel(90);  // the program moves it
    slider->setValue(10);
    EXPECT_TRUE(channel.requests.empty());
    // A drag: nothing while it moves, one command when the finger lifts.
    slider->setSliderDown(true);
    slider->triggerAction(QAbstractSlider::SliderMove);
    slider->setSliderPosition(30);
    slider->setSliderPosition(35);
    dimmer->LevelSlider()->ShowLevel(90);  // a refresh under the finger
    EXPECT_EQ(slider->sliderPosition(), 35);
    slider->setSliderDown(false);
    // A page step.
    slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(Sent(),
              (std::vector<std::string>{"Device.DimToPercent 35", "Device.DimUpPercent 10"}));
}

TEST_F(LoadPopupTest, KeypadKeysFollowTheirFamilysNumbering) {
    DesignObject& key8 = AddObject(1, "Hall", "Key8");
    key8.buttonCount = 4;
    DesignObject& key7 = AddObject(2, "Hall", "Key7");
    key7.buttonCount = 7;
    key7.buttonNames[6] = "UP";
    DesignObject& zs = AddObject(3, "Hall", "ZS");
    zs.textCount = 2;
    zs.buttonCount = 4;
    EXPECT_EQ(VisibleKeys(*Open("KL8", 1)), 4);
    EXPECT_EQ(VisibleKeys(*Open("UPB7", 2)), 5);
    key7.buttonNames[6] = "Scene";
    auto upb7 = Open("UPB7Load", 2);
    EXPECT_EQ(VisibleKeys(*upb7), 6);
    EXPECT_EQ(upb7->Keys()[5]->text(), QStringLiteral("Scene"));
    upb7->PressKey(5);
    auto keypadZs = Open("ZS24", 3);
    keypadZs->PressKey(0);
    keypadZs->PressRocker(1, 1);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"Device.Keypress 6 0 0", "Device.Keypress 2 0 0",
                                                "Device.Keypress 1 1 0"}));
}

TEST_F(LoadPopupTest, IndicatorsFollowPushesOnlyWhereTheKeypadHasThem) {
    DesignObject& zs = AddObject(3, "Hall", "ZS");
    zs.buttonCount = 2;
    zs.buttonStates[1] = 1;
    zs.buttonStates[2] = 1;  // beyond the object's keys: no indicator
    auto keypad = Open("ZS24", 3);
    EXPECT_EQ(keypad->Keys()[0]->FaceColor(), kEnabledButtonColor);
    EXPECT_EQ(keypad->Keys()[1]->FaceColor(), kKeyIndicatorOnColor);
    EXPECT_EQ(keypad->Keys()[2]->FaceColor(), kEnabledButtonColor);
    zs.buttonStates[0] = 1;
    PostAppMessage(ControlPopups().OpenPopup(), AppMessage::ObjectChanged, 0, 3);
    DeliverPosted();
    EXPECT_EQ(keypad->Keys()[0]->FaceColor(), kKeyIndicatorOnColor);
    keypad->reject();
    AddObject(4, "Hall", "Rockers");
    design.FindObject(4)->texts[1] = "Fan & Light";
    auto rockers = Open("Keypad3", 4);
    ASSERT_EQ(rockers->Rockers().size(), 3u);
    EXPECT_EQ(rockers->Rockers()[1].first->text(), QStringLiteral("Fan & Light"));
    EXPECT_EQ(rockers->Rockers()[1].second->text(), QStringLiteral("OFF"));
    EXPECT_EQ(ControlPopups().OpenPopup(), nullptr);
}

}  // namespace
}  // namespace zol::testing
