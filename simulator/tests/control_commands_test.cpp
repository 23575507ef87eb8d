// Control-port commands run against a server that is not listening: state
// changes, faults, configuration and the escaping of fields.
#include <gtest/gtest.h>

#include <chrono>

#include "router_harness.h"
#include "simulator/control_commands.h"
#include "simulator/control_escape.h"
#include "simulator/push_burst.h"
#include "simulator/sim_server.h"
#include "simulator/user_dialog_pushes.h"

namespace zol {
namespace {

SimDesign SmallDesign() {
    SimDesign design;
    SimObject lamp;
    lamp.objectId = 3;
    lamp.name = "Lamp";
    design.objects.push_back(lamp);
    SimDisplay display;
    display.displayId = 50;
    display.name = "Den";
    design.displays.push_back(display);
    return design;
}

TEST(ControlEscape, RoundTripsBarsPercentAndLineFeeds) {
    const std::vector<std::string> fields = {"a|b", "100%", "two\nlines", "", "\xB0"};
    const std::string line = JoinControlFields(fields);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_EQ(SplitControlFields(line), fields);
    EXPECT_EQ(SplitControlFields("50%").front(), "50%") << "a lone % stays";
}

TEST(ControlCommands, SetChangesObjectsAndDisplays) {
    SimServer server(SmallDesign(), SimConfig());
    EXPECT_EQ(RunControlCommand(server, "set 3 level=45 statusText=Half%20way button1=1").back(),
              "OK");
    const SimObject& lamp = server.State().design.objects[0];
    EXPECT_EQ(lamp.level, 45);
    EXPECT_EQ(lamp.statusText, "Half way");
    EXPECT_EQ(lamp.buttonStates, (std::vector<int>{0, 1}));
    EXPECT_EQ(RunControlCommand(server, "set 50 level=100").back(), "OK");
    EXPECT_EQ(server.State().design.displays[0].level, 100);
    EXPECT_EQ(RunControlCommand(server, "set 3 level=high").back().rfind("ERR", 0), 0u);
    EXPECT_EQ(RunControlCommand(server, "set 99 level=1").back().rfind("ERR", 0), 0u);
    EXPECT_EQ(RunControlCommand(server, "set 3 button16=1").back().rfind("ERR", 0), 0u);
}

TEST(ControlCommands, BurstWalksTheLevelsOfConsecutiveObjects) {
    SimDesign design = SmallDesign();
    SimObject second = design.objects[0];
    second.objectId = 4;
    design.objects.push_back(second);
    SimServer server(std::move(design), SimConfig());
    for (const char* refused :
         {"burst all 10 3 3", "burst all 0 3", "burst all 5 50", "burst none 5 3", "burst all 5"}) {
        EXPECT_EQ(RunControlCommand(server, refused).back().rfind("ERR", 0), 0u) << refused;
    }
    EXPECT_EQ(RunControlCommand(server, "burst all 10 3 2"),
              (std::vector<std::string>{"started 10", "OK"}));
    // Pushes 0..2204 in slices: object 3 gets the even ones, the last
    // 2204 % 101 = 83; object 4 the odd ones, the last 2203 % 101 = 82.
    PushBurst burst(server, 0, 2205, {3, 4});
    int slices = 1;
    while (burst.SendSlice())
        ++slices;
    EXPECT_EQ(slices, 3);
    EXPECT_EQ(server.State().design.objects[0].level, 83);
    EXPECT_EQ(server.State().design.objects[1].level, 82);
}

TEST(ControlCommands, FaultsAndConfigurationAreSwitched) {
    SimServer server(SmallDesign(), SimConfig());
    EXPECT_EQ(RunControlCommand(server, "fault delay 250").back(), "OK");
    EXPECT_EQ(RunControlCommand(server, "fault split on").back(), "OK");
    EXPECT_EQ(RunControlCommand(server, "fault target 4").back(), "OK");
    EXPECT_EQ(server.Faults().replyDelayMs, 250);
    EXPECT_TRUE(server.Faults().splitWrites);
    EXPECT_FALSE(server.Faults().AppliesTo(3));
    EXPECT_TRUE(server.Faults().AppliesTo(4));
    EXPECT_EQ(RunControlCommand(server, "fault split maybe").back().rfind("ERR", 0), 0u);
    EXPECT_EQ(RunControlCommand(server, "fault request GetDisplays -3").back(), "OK");
    EXPECT_EQ(server.Faults().failingRequest.resultCode, -3);
    EXPECT_EQ(RunControlCommand(server, "fault request GetDesign undecodable").back(), "OK");
    EXPECT_TRUE(server.Faults().failingRequest.Matches("GetDesign"));
    EXPECT_FALSE(server.Faults().failingRequest.Matches("GetDisplays")) << "one request at a time";
    for (const char* refused : {"fault request GetDesign 0", "fault request GetDesign",
                                "fault request GetDesign 1x", "fault request a b c"}) {
        EXPECT_EQ(RunControlCommand(server, refused).back().rfind("ERR", 0), 0u) << refused;
    }
    EXPECT_EQ(RunControlCommand(server, "fault request off").back(), "OK");
    EXPECT_TRUE(server.Faults().failingRequest.method.empty());
    EXPECT_EQ(RunControlCommand(server, "fault clear").back(), "OK");
    EXPECT_FALSE(server.Faults().splitWrites);

    EXPECT_EQ(RunControlCommand(server, "config version 18.7.0").back(), "OK");
    EXPECT_EQ(server.State().config.versionBuild, 0);
    EXPECT_EQ(server.State().config.versionMinor, 7);
    EXPECT_EQ(RunControlCommand(server, "config version 1000.0.0").back().rfind("ERR", 0), 0u);
    EXPECT_EQ(RunControlCommand(server, "config dpi off").back(), "OK");
    EXPECT_FALSE(server.State().config.referenceDpi);
    EXPECT_EQ(RunControlCommand(server, "nonsense").back().rfind("ERR", 0), 0u);
    EXPECT_EQ(RunControlCommand(server, "push all").back().rfind("ERR", 0), 0u);
}

TEST(ControlCommands, PushedStateChangesBecomeZolsimsOwn) {
    SimDesign design = SmallDesign();
    SimTile clock;
    clock.tileType = kTileText;
    clock.tileName = "Clock";
    design.displays[0].tiles.push_back(clock);
    design.schedules = {{1, "Weekday"}, {5, "Holiday"}};
    SimServer server(std::move(design), SimConfig());
    const SimServerState& state = server.State();
    const SimObject& lamp = state.design.objects[0];

    ASSERT_EQ(RunControlCommand(server,
                                "push all 0|ZOLApp|Update|3|40|0|2|1|0|bulb|Porch|7|"
                                "20240202101010|0|1|Busy|X|12|255")
                  .back(),
              "OK");
    EXPECT_EQ(lamp.level, 40);
    EXPECT_EQ(lamp.buttonStates, (std::vector<int>{1, 0}));
    EXPECT_EQ(lamp.ownIconName, "bulb");
    EXPECT_EQ(lamp.caption, "Porch");
    EXPECT_EQ(lamp.ownLevel, 7);
    EXPECT_EQ(lamp.errorCondition, 1);
    EXPECT_EQ(lamp.statusText, "Busy");
    EXPECT_EQ(lamp.overlayColor, 255);
    EXPECT_EQ(state.design.designTimeStamp, "20240202101010");

    RunControlCommand(server, "push all 0|ZOLApp|Update|50|100|0|0|den|Den%20room|5|");
    EXPECT_EQ(state.design.displays[0].level, 100);
    EXPECT_EQ(state.design.displays[0].caption, "Den room");
    EXPECT_EQ(state.design.designTimeStamp, "20240202101010") << "an empty stamp is no stamp";

    RunControlCommand(server, "push all 0|ZOLApp|ServerStatus|2|3|4|1|5|0");
    EXPECT_EQ(state.design.serverStatus.state, 2);
    EXPECT_EQ(state.design.serverStatus.numbers[0], 3);
    EXPECT_EQ(state.design.currentHomeMode, 1);
    EXPECT_EQ(state.design.currentSchedule, 5);

    RunControlCommand(server, "push all 0|ZOLApp|TileUpdate|CLOCK|1|Now|0||1|Noon|0|0|0|1");
    EXPECT_EQ(state.design.displays[0].tiles[0].label, "Now");
    EXPECT_EQ(state.design.displays[0].tiles[0].text, "Noon");

    RunControlCommand(server, "push 7 0|ZOLApp|LogAdd|3|Door open");
    ASSERT_EQ(state.log.Entries().size(), 1u) << "kept even when no client hears it";
    EXPECT_EQ(state.log.Entries()[0].kind, 3);
    EXPECT_EQ(state.log.Entries()[0].text, "Door open");

    RunControlCommand(server, "push all 0|ZOLObject|Update|3|99|0|0");
    EXPECT_EQ(lamp.level, 40) << "the clients drop what is not from ZOLApp";
}

TEST(ControlCommands, LogListsAndClearsTheServerLog) {
    SimServer server(SmallDesign(), SimConfig());
    server.State().log.Add(kLogMessages, "Door|open", std::chrono::system_clock::now());
    const std::vector<std::string> lines = RunControlCommand(server, "log");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("1 ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(" 3 Door%7Copen"), std::string::npos) << lines[0];
    EXPECT_EQ(RunControlCommand(server, "log clear").back(), "OK");
    EXPECT_EQ(RunControlCommand(server, "log").size(), 1u);
}

TEST(ControlCommands, DesignNameAndTimeStampChange) {
    SimServer server(SmallDesign(), SimConfig());
    EXPECT_EQ(RunControlCommand(server, "design name New%20House").back(), "OK");
    EXPECT_EQ(RunControlCommand(server, "design stamp 20250102030405").back(), "OK");
    EXPECT_EQ(server.State().design.designName, "New House");
    EXPECT_EQ(server.State().design.designTimeStamp, "20250102030405");
    EXPECT_EQ(RunControlCommand(server, "design"),
              (std::vector<std::string>{"name New House", "stamp 20250102030405", "OK"}));
    EXPECT_EQ(RunControlCommand(server, "design stamp 20251302030405").back().rfind("ERR", 0), 0u);
    EXPECT_EQ(RunControlCommand(server, "design stamp now").back(), "OK");
    EXPECT_NE(server.State().design.designTimeStamp, "20250102030405");
}

TEST(ControlCommands, DialogPushesEachKindAndReportsAreShown) {
    SimServer server(SmallDesign(), SimConfig());
    for (const char* kind : {"number", "text", "time", "choice", "keys", "alert", "other"}) {
        EXPECT_EQ(RunControlCommand(server, std::string("dialog all ") + kind).back(), "OK")
            << kind;
    }
    EXPECT_EQ(RunControlCommand(server, "dialog all riddle").back().rfind("ERR", 0), 0u);
    EXPECT_EQ(RunControlCommand(server, "dialog all number loud").back().rfind("ERR", 0), 0u);

    std::string error;
    const auto fields = UserDialogPushFields(
        "choice", {"id=42", "timeout=10", "activity", "prompt=Pick%20one", "initial=2"}, error);
    ASSERT_TRUE(fields);
    ASSERT_EQ(fields->size(), 32u);
    EXPECT_EQ((*fields)[3], "3");
    EXPECT_EQ((*fields)[4], "Pick one");
    EXPECT_EQ((*fields)[5], "Relax");
    EXPECT_EQ((*fields)[22], "1");
    EXPECT_EQ((*fields)[23], "10");
    EXPECT_EQ((*fields)[24], "1");
    EXPECT_EQ((*fields)[26], "2");
    EXPECT_EQ((*fields)[27], "42");

    // A report the client sends lands in the server log.
    test::RouterHarness harness;
    harness.Ask({"ZOLApp", "UserDialogReport", "1", "1", "42", "3", "two words"});
    ASSERT_EQ(harness.state.log.Entries().size(), 1u);
    EXPECT_EQ(harness.state.log.Entries().back().text,
              "UserDialogReport kind=1 code=1 id=42 type=3 answer=two words");
}

}  // namespace
}  // namespace zol
