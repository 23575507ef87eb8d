#include <QApplication>
#include <QTimer>

#include "client/popups/tests/popup_fixture.h"
#include "client/popups/tui_key_button.h"
#include "client/popups/tui_option_button.h"
#include "client/popups/tui_system.h"

namespace zol::testing {
namespace {

class ControlPanelTest : public PopupTest {
  protected:
    ControlPanelTest() {
        design.homeModeCount = 5;  // more names than buttons
        design.homeModeNames = {"Home", "Away", "Night", "Vacation"};
        design.scheduleCount = 2;
        design.scheduleNames[0] = "Weekday";
        design.scheduleNames[1] = "Weekend";
        design.scheduleNumbers = {1, 5, 0, 0};
        services.design = [this] { return &design; };
        services.settings = &settings;
        services.connected = true;
        services.currentSchedule = 5;
        services.mainFrame = &frame;
        services.setHomeMode = [this](int mode) { modesSet.push_back(mode); };
        services.setCurrentSchedule = [this](int n) { schedulesSet.push_back(n); };
        services.checkUnlockCode = [this] { return codeRight; };
    }
    ControlPanelServices services;
    std::vector<int> modesSet;
    std::vector<int> schedulesSet;
    bool codeRight = false;
};

TEST_F(ControlPanelTest, WithoutAConnectionOffersConnectOrReconnectAndGreysServerCommands) {
    services.connected = false;
    CTUISystem never(services);
    EXPECT_TRUE(never.Command(QStringLiteral("Connect"))->isEnabled());
    EXPECT_FALSE(never.Command(QStringLiteral("Server Status"))->isEnabled());
    EXPECT_FALSE(never.Command(QStringLiteral("Log 3"))->isEnabled());
    EXPECT_FALSE(never.HomeModeGroup()->isVisibleTo(&never));
    never.Command(QStringLiteral("Connect"))->click();
    EXPECT_EQ(never.Result(), PanelConnect);
    services.connectedBefore = true;
    CTUISystem lost(services);
    lost.Command(QStringLiteral("Reconnect"))->click();
    EXPECT_EQ(lost.Result(), PanelReconnect);
    services.connected = true;
    CTUISystem online(services);
    EXPECT_FALSE(online.Command(QStringLiteral("Connect"))->isEnabled());
}

TEST_F(ControlPanelTest, ModesAndSchedulesAreSetAfterThePanelClosedAndOnlyWhenOtherThanNow) {
    CTUISystem panel(services);
    EXPECT_NE(panel.HomeModeButton(3), nullptr);
    EXPECT_EQ(panel.HomeModeButton(4), nullptr);
    EXPECT_TRUE(panel.HomeModeButton(0)->Chosen());
    EXPECT_TRUE(panel.ScheduleButton(1)->Chosen());
    panel.HomeModeButton(2)->click();
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(panel.ChosenHomeMode(), 2);
    CTUISystem again(services);
    again.ScheduleButton(1)->click();  // the current one
    EXPECT_FALSE(again.ChosenSchedule().has_value());
    EXPECT_TRUE(modesSet.empty());  // the panel itself sends nothing

    // Opened modally, the choice is set once the panel's loop has ended.
    QTimer::singleShot(0, [this] {
        auto* open = static_cast<CTUISystem*>(QApplication::activeModalWidget());
        open->HomeModeButton(1)->click();
    });
    EXPECT_EQ(OpenControlPanel(services), PanelNone);
    EXPECT_EQ(modesSet, std::vector<int>{1});
}

TEST_F(ControlPanelTest, LockPostsItsKindAndUnlockNeedsTheCode) {
    CTUISystem panel(services);
    EXPECT_FALSE(panel.Command(QStringLiteral("Unlock"))->isEnabled());
    panel.Command(QStringLiteral("Lock Size/Position"))->click();
    services.lock = LockState::Locked;
    settings.uiExitPasswordEnable = 1;
    CTUISystem locked(services);
    EXPECT_FALSE(locked.Command(QStringLiteral("Lock"))->isEnabled());
    locked.show();
    locked.Command(QStringLiteral("Unlock"))->click();  // wrong code: nothing
    EXPECT_TRUE(locked.isVisible());
    codeRight = true;
    locked.Command(QStringLiteral("Unlock"))->click();
    DeliverPosted();
    ASSERT_EQ(frame.received.size(), 2u);
    EXPECT_FALSE(locked.isVisible());
}

}  // namespace
}  // namespace zol::testing
