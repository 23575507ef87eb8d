#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>

#include "client/popups/open_control_popup.h"
#include "client/popups/tests/popup_fixture.h"
#include "client/popups/tui_button.h"
#include "client/popups/tui_thermostat.h"

namespace zol::testing {
namespace {

using namespace std::chrono_literals;

class ThermostatPopupTest : public PopupTest {
  protected:
    std::unique_ptr<CTUIThermostat> Open(const char* templateName = "thermostatTHCMF") {
        if (design.FindObject(5) == nullptr)
            AddObject(5, "Hall", "Thermostat");
        std::unique_ptr<CTUIPopup> popup =
            MakeControlPopup(*ResolvePopupTemplate(templateName), 5, Context());
        EXPECT_TRUE(popup->Initialise());
        popup->show();
        return std::unique_ptr<CTUIThermostat>(static_cast<CTUIThermostat*>(popup.release()));
    }
    static int Checked(QButtonGroup* group) { return group->checkedId(); }
};

TEST_F(ThermostatPopupTest, ShowsTheReadingInTheThermostatsUnit) {
    auto t = Open();
    EXPECT_EQ(t->TemperatureLine()->text(), QString::fromUtf8("Current temperature: 72\u00B0 F"));
    EXPECT_EQ(t->HeatField()->text(), QStringLiteral("68"));
    EXPECT_EQ(Checked(t->ModeButtons()), 1);
    // The server's "0" fan field is "Off"; choosing "Off" writes 1.
    EXPECT_EQ(Checked(t->FanButtons()), 1);
    t->FanButtons()->button(1)->click();
    t->FanButtons()->button(0)->click();
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ThermostatState", "ThermostatChange 3 1",
                                                "ThermostatChange 3 0"}));
}

TEST_F(ThermostatPopupTest, SetPointPressesAreSentOnceASecondAfterTheLast) {
    auto t = Open();
    for (int i = 0; i < 3; ++i) {
        t->HeatUp()->click();
        clock.Advance(900ms);
    }
    EXPECT_EQ(channel.requests.size(), 1u);
    clock.Advance(100ms);
    EXPECT_EQ(Sent().back(), "ThermostatChange 1 71");
    EXPECT_EQ(channel.requests.size(), 2u);
    EXPECT_TRUE(t->isVisible());  // the thermostat's own timer closes nothing
}

TEST_F(ThermostatPopupTest, BoundsStopTheSetPointEvenWhenReportedBeyondThem) {
    reading[0] = "95";  // above the heat maximum of 90
    reading[3] = "60";  // at the cool minimum
    auto t = Open();
    t->StepHeat(+1);
    t->StepCool(-1);
    clock.Advance(2s);
    EXPECT_EQ(channel.requests.size(), 1u);
    t->StepHeat(-1);
    clock.Advance(2s);
    EXPECT_EQ(Sent().back(), "ThermostatChange 1 94");
}

TEST_F(ThermostatPopupTest, ANoneCoolSetPointShowsEmptyAndDisabled) {
    reading[3] = "-1";
    reading[7] = "7";  // a mode the buttons do not know
    auto t = Open();
    EXPECT_TRUE(t->CoolField()->text().isEmpty());
    EXPECT_FALSE(t->CoolUp()->isEnabled());
    EXPECT_FALSE(t->CoolDown()->isEnabled());
    EXPECT_TRUE(t->HeatUp()->isEnabled());
    EXPECT_EQ(Checked(t->ModeButtons()), -1);
    t->StepCool(+1);
    clock.Advance(2s);
    EXPECT_EQ(channel.requests.size(), 1u);
}

TEST_F(ThermostatPopupTest, PendingSetPointsGoBeforeAModeChangeAndTheStateIsReadAfterAWait) {
    auto t = Open();
    t->StepCool(+1);
    t->ModeButtons()->button(3)->click();
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ThermostatState", "ThermostatChange 7 77",
                                                "ThermostatChange 2 3"}));
    EXPECT_TRUE(t->Waiting());
    t->StepHeat(+1);  // input waits too
    clock.Advance(3s);
    EXPECT_FALSE(t->Waiting());
    EXPECT_EQ(Sent().back(), "ThermostatState");
    EXPECT_EQ(channel.requests.size(), 4u);
}

TEST_F(ThermostatPopupTest, EveryCloseSendsWhatIsPendingEscapeIncluded) {
    auto t = Open();
    t->StepHeat(-1);
    t->reject();
    EXPECT_EQ(Sent().back(), "ThermostatChange 1 67");
    clock.Advance(2s);
    EXPECT_EQ(channel.requests.size(), 2u);
}

TEST_F(ThermostatPopupTest, FailuresShowTheThermostatsReport) {
    failMethod = "ThermostatState";
    reading[11] = "no answer";
    auto t = Open("thermostatT");
    ASSERT_EQ(reporter.alerts.size(), 1u);
    EXPECT_EQ(reporter.alerts[0].second,
              "Problem when communicating with Hall - Thermostat when retrieving state. "
              "Thermostat reports: no answer");
    EXPECT_EQ(t->TemperatureLine()->text(), QStringLiteral("Current Temperature Unknown"));
    EXPECT_FALSE(t->HeatRow()->isVisibleTo(t.get()));
    EXPECT_FALSE(t->ModeRow()->isVisibleTo(t.get()));
}

}  // namespace
}  // namespace zol::testing
