#include "client/popups/open_control_popup.h"
#include "client/popups/tests/popup_fixture.h"
#include "client/popups/tui_key_button.h"
#include "client/popups/tui_program_popup.h"

namespace zol::testing {
namespace {

class ProgramPopupTest : public PopupTest {
  protected:
    std::unique_ptr<CTUIProgramPopup> Open(const char* templateName, int level) {
        DesignObject& program = AddObject(next_, "House", "Scene");
        program.objectKind = ObjectKindProgram;
        program.level = level;
        std::unique_ptr<CTUIPopup> popup =
            MakeControlPopup(*ResolvePopupTemplate(templateName), next_++, Context());
        EXPECT_TRUE(popup->Initialise());
        return std::unique_ptr<CTUIProgramPopup>(static_cast<CTUIProgramPopup*>(popup.release()));
    }
    int next_ = 1;
};

TEST_F(ProgramPopupTest, StartOnARunningProgramOnlyStopsIt) {
    auto running = Open("ProgramStart", 100);
    ASSERT_NE(running->Button(QStringLiteral("Stop")), nullptr);
    running->Button(QStringLiteral("Stop"))->click();
    EXPECT_EQ(Sent(), (std::vector<std::string>{"Program.Stop"}));
    auto stopped = Open("ProgramStart", 0);
    stopped->Button(QStringLiteral("Start"))->click();
    EXPECT_EQ(Sent().back(), "Program.Start");
}

TEST_F(ProgramPopupTest, AFailedStopSendsNothingAfterIt) {
    failMethod = "Program.Stop";
    Open("ProgramStart", 0)->Button(QStringLiteral("Start"))->click();
    Open("ProgramOnOff", 0)->Button(QStringLiteral("ON"))->click();
    EXPECT_EQ(Sent(), (std::vector<std::string>{"Program.Stop", "Program.Stop"}));
    EXPECT_EQ(reporter.messages.size(), 2u);
}

TEST_F(ProgramPopupTest, ButtonsFollowTheRunningState) {
    auto startStop = Open("ProgramStartStop", 0);
    CTUIKeyButton* start = startStop->Button(QStringLiteral("START"));
    CTUIKeyButton* stop = startStop->Button(QStringLiteral("STOP"));
    EXPECT_TRUE(start->isEnabled());
    EXPECT_FALSE(stop->isEnabled());
    start->click();
    EXPECT_FALSE(start->isEnabled());
    EXPECT_TRUE(stop->isEnabled());
    auto onOffStop = Open("ProgramOnOffStop", 100);
    EXPECT_FALSE(onOffStop->Button(QStringLiteral("ON"))->isEnabled());
    onOffStop->Button(QStringLiteral("STOP"))->click();
    EXPECT_TRUE(onOffStop->Button(QStringLiteral("OFF"))->isEnabled());
    onOffStop->Button(QStringLiteral("OFF"))->click();
    EXPECT_EQ(Sent(), (std::vector<std::string>{"Program.Start", "Program.Stop", "Program.Off"}));
}

}  // namespace
}  // namespace zol::testing
