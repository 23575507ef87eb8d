// Requests answered in-process: framing of the reply, the password gate,
// parts that cover a large design exactly once, commands and their pushes,
// file chunks, thermostats and label formatting.
#include <gtest/gtest.h>

#include <chrono>
#include <set>

#include "simulator/design_generator.h"
#include "simulator/hex_chunks.h"
#include "simulator/tests/router_harness.h"
#include "simulator/text_formatter.h"

namespace zol::test {
namespace {

using Fields = std::vector<FieldValue>;

SimObject Lamp(int id, const std::string& name, int kind = 0) {
    SimObject object;
    object.objectId = id;
    object.name = name;
    object.location = "Kitchen";
    object.objectKind = kind;
    return object;
}

TEST(RequestRouter, EchoesNamesAndAnswersUnknownAndMalformedRequests) {
    RouterHarness harness;
    Fields reply = harness.Ask({"ZOLApp", "NoSuchRequest", "1"});
    ASSERT_EQ(reply.size(), 3u);
    EXPECT_EQ(reply[0].number, -104);
    EXPECT_EQ(reply[1].text, "ZOLApp");
    EXPECT_EQ(reply[2].text, "NoSuchRequest");

    harness.Ask({"OnlyOneField"});
    EXPECT_EQ(harness.replyText, FieldList{"-1"}.Message());
    RequestOutcome outcome = harness.router.Handle("12345678", harness.state, harness.session);
    EXPECT_EQ(outcome.reply, FieldList{"-1"}.Message());
}

TEST(RequestRouter, RefusesEverythingButThePasswordUntilItIsGiven) {
    RouterHarness harness;
    harness.state.config.password = "pw";
    harness.session.authorised = false;
    EXPECT_EQ(harness.Ask({"ZOLApp", "TimeStamp"})[0].number, -3);
    EXPECT_EQ(harness.Ask({"ZOLObject", "ZOL.SetPassword", "4", "wrong"})[0].number, -3);
    EXPECT_EQ(harness.Ask({"ZOLObject", "ZOL.SetPassword", "4", "pw"})[0].number, 0);
    EXPECT_EQ(harness.Ask({"ZOLApp", "TimeStamp"})[0].number, 0);
}

TEST(RequestRouter, ReferenceDpiCanBeUnknown) {
    RouterHarness harness;
    EXPECT_EQ(harness.Ask({"ZOLApp", "GetReferenceDPI"})[3].number, 96);
    harness.state.config.referenceDpi.reset();
    EXPECT_EQ(harness.Ask({"ZOLApp", "GetReferenceDPI"})[0].number, -104);
}

TEST(DesignParts, CoverALargeDesignExactlyOnceWithinTheMessageLimit) {
    RouterHarness harness;
    GenerateSpec spec;
    spec.objects = 5000;
    spec.displays = 200;
    spec.tilesPerDisplay = 20;
    harness.state.design = GenerateDesign(spec);

    std::set<int> seen;
    int parts = 0;
    for (int part = 0;; ++part) {
        Fields reply = harness.Ask({"ZOLApp", "GetDesign", std::to_string(part)});
        if (reply[0].number != 0) {
            EXPECT_EQ(reply[0].number, 1);
            break;
        }
        ++parts;
        EXPECT_LE(harness.replyText.size(), kMaxFieldListLength);
        for (const FieldValue& entry : Decode(reply.at(3).text)) {
            EXPECT_TRUE(seen.insert(Decode(entry.text).at(0).number).second);
        }
    }
    EXPECT_EQ(seen.size(), 5000u);
    EXPECT_GT(parts, 10);

    // A change between parts neither repeats nor skips an object.
    harness.Ask({"ZOLApp", "GetDesign", "0"});
    for (SimObject& object : harness.state.design.objects) {
        object.level = 100;
    }
    std::set<int> afterChange;
    for (int part = 0;; ++part) {
        Fields reply = harness.Ask({"ZOLApp", "GetDesign", std::to_string(part)});
        if (reply[0].number != 0) {
            break;
        }
        for (const FieldValue& entry : Decode(reply.at(3).text)) {
            afterChange.insert(Decode(entry.text).at(0).number);
        }
    }
    EXPECT_EQ(afterChange.size(), 5000u);
}

TEST(DeviceCommands, ChangeTheLevelAndPushAnUpdate) {
    RouterHarness harness;
    harness.state.design.objects = {Lamp(1, "Lamp"), Lamp(2, "Show", 1)};
    EXPECT_EQ(harness.Ask({"ZOLObject", "Device.DimToPercent", "Kitchen - Lamp", "140"})[0].number,
              0);
    EXPECT_EQ(harness.state.design.objects[0].level, 100) << "levels stay within 0 to 100";
    ASSERT_EQ(harness.pushes.size(), 1u);
    EXPECT_EQ(Decode(harness.pushes[0].message).at(2).text, "Update");
    EXPECT_EQ(harness.Ask({"ZOLObject", "Device.DimDownPercent", "Kitchen - Lamp", "30"})[0].number,
              0);
    EXPECT_EQ(harness.state.design.objects[0].level, 70);

    EXPECT_EQ(harness.Ask({"ZOLObject", "Device.On", "Kitchen - Nothing"})[0].number, -1);
    EXPECT_EQ(harness.Ask({"ZOLObject", "Group.On", "Kitchen - Lamp"})[0].number, -2);
    EXPECT_TRUE(harness.pushes.empty());
    EXPECT_EQ(harness.Ask({"ZOLObject", "Program.StartEx", "Kitchen - Show", "a", "b", "c", ""})[0]
                  .number,
              0);
    EXPECT_EQ(harness.state.design.objects[1].level, 100);

    harness.state.design.objects[0].suspendState = 2;
    EXPECT_EQ(harness.Ask({"ZOLObject", "Device.Off", "Kitchen - Lamp"})[0].number, -4);
    harness.state.design.objects[0].commandResult = -7;
    EXPECT_EQ(harness.Ask({"ZOLObject", "Device.Off", "Kitchen - Lamp"})[0].number, -7);
}

SimObject KeypadObject(const std::string& templateName, std::vector<std::string> rockers,
                       std::vector<std::string> keys) {
    SimObject keypad = Lamp(5, "Pad");
    keypad.templateName = templateName;
    keypad.texts = std::move(rockers);
    keypad.buttonStates.assign(keys.size(), 0);
    keypad.buttonNames = std::move(keys);
    return keypad;
}

// Presses button `button` (half 0) and returns the result code.
int Press(RouterHarness& harness, const std::string& button, const std::string& half = "0") {
    return harness.Ask({"ZOLObject", "Device.Keypress", "Kitchen - Pad", button, half, "0"})[0]
        .number;
}

TEST(DeviceCommands, KeypressNumbersKeysFromZeroAndStatesAreReadBack) {
    RouterHarness harness;
    harness.state.design.objects = {KeypadObject("KL8", {}, {"A", "B", "C"})};
    harness.state.design.objects[0].buttonStates[2] = 1;
    EXPECT_EQ(Press(harness, "0"), 0) << "the first key is button 0";
    EXPECT_EQ(harness.pushes.size(), 1u);
    EXPECT_EQ(Press(harness, "2"), 0);
    EXPECT_EQ(Press(harness, "3"), -1);
    EXPECT_EQ(Press(harness, "x"), -1);
    Fields states = harness.Ask({"ZOLApp", "KeypadButtonState", "5"});
    ASSERT_EQ(states.size(), 8u);
    EXPECT_EQ(states[4].number, 3);
    EXPECT_EQ(states[5].number, 1);
    EXPECT_EQ(states[6].number, 0);
    EXPECT_EQ(states[7].number, 0);

    // A Key7 keypad's sixth button sends 6 and shows the seventh state.
    harness.state.design.objects = {
        KeypadObject("UPB7", {}, {"1", "2", "3", "4", "5", "6", "Fan"})};
    EXPECT_EQ(Press(harness, "6"), 0);
    EXPECT_EQ(harness.state.design.objects[0].buttonStates,
              (std::vector<int>{0, 0, 0, 0, 0, 0, 1}));
}

TEST(DeviceCommands, RockerKeypadsNumberTheirKeysAfterTheRockers) {
    RouterHarness harness;
    harness.state.design.objects = {KeypadObject("ZS24", {"Lights", "Fan"}, {"A", "B", "C", "D"})};
    EXPECT_EQ(Press(harness, "2"), 0) << "key 0 follows the two rockers";
    EXPECT_EQ(harness.state.design.objects[0].buttonStates, (std::vector<int>{1, 0, 0, 0}));
    EXPECT_EQ(Press(harness, "1", "1"), 0) << "bottom half of the second rocker";
    EXPECT_TRUE(harness.pushes.empty()) << "rockers have no indicator";
    EXPECT_EQ(Press(harness, "0", "2"), -1);
    EXPECT_EQ(Press(harness, "6"), -1);

    harness.state.design.objects = {KeypadObject("Keypad3", {"Up", "Mid", "Down"}, {})};
    EXPECT_EQ(Press(harness, "2", "1"), 0);
    EXPECT_EQ(Press(harness, "3"), -1);
}

TEST(Thermostats, ReportStateAndExplainRefusedChanges) {
    RouterHarness harness;
    SimObject thermostat = Lamp(9, "Hall");
    thermostat.thermostat = SimThermostat();
    thermostat.thermostat->coolSetpoint = -1;
    thermostat.thermostat->celsius = true;
    harness.state.design.objects = {thermostat};
    Fields state = harness.Ask({"ZOLApp", "ThermostatState", "Kitchen - Hall"});
    ASSERT_EQ(state.size(), 16u);
    EXPECT_EQ(state[4].number, 68);
    EXPECT_EQ(state[7].number, -1);
    EXPECT_EQ(state[13].text, "C");

    Fields refused = harness.Ask({"ZOLApp", "ThermostatChange", "Kitchen - Hall", "7", "70"});
    EXPECT_NE(refused[0].number, 0);
    EXPECT_EQ(refused.at(6).text, "Cool set point not available");
    refused = harness.Ask({"ZOLApp", "ThermostatChange", "Kitchen - Hall", "1", "200"});
    EXPECT_NE(refused[0].number, 0);
    EXPECT_EQ(harness.Ask({"ZOLApp", "ThermostatChange", "Kitchen - Hall", "1", "72"})[0].number,
              0);
    EXPECT_EQ(harness.state.design.objects[0].thermostat->heatSetpoint, 72);
    EXPECT_EQ(harness.pushes.size(), 1u);
}

TEST(Files, ChunksReassembleAndNegativeByteSumsAreUnderstood) {
    RouterHarness harness;
    std::string bytes(kFileChunkBytes + 10, '\xF0');
    harness.state.design.files["sounds/bell.wav"] = bytes;
    std::string received;
    for (int chunk = 0;; ++chunk) {
        Fields reply =
            chunk == 0
                ? harness.Ask({"ZOLApp", "GetFile", "File", "Sounds\\Bell.wav", "0", "0", "0"})
                : harness.Ask(
                      {"ZOLApp", "GetFile", "File", "sounds\\bell.wav", std::to_string(chunk)});
        if (reply[0].number != 0) {
            break;
        }
        received += reply.at(7).text;
    }
    EXPECT_EQ(received, ToHex(bytes));

    // The byte sum exceeds 2^31; a client prints it with "%d".
    std::string huge(9000000, '\xFF');
    harness.state.design.files["big.bin"] = huge;
    const auto sum = static_cast<std::int32_t>(ByteSum(huge));
    ASSERT_LT(sum, 0);
    EXPECT_EQ(harness
                  .Ask({"ZOLApp", "GetFile", "File", "big.bin", "0", std::to_string(huge.size()),
                        std::to_string(sum)})[0]
                  .number,
              -4);
    EXPECT_EQ(
        harness.Ask({"ZOLApp", "GetFile", "File", "big.bin", "0", "9000000", "12x"})[0].number, 0);
}

TEST(ThemeIcons, ListInPagesAndEndWithMinusOne) {
    RouterHarness harness;
    SimThemeIconSet set;
    set.name = "Theme_36_36";
    for (int i = 0; i < 25; ++i) {
        const std::string name = "Icon" + std::to_string(i) + "_off.png";
        set.fileNames.push_back(name);
        harness.state.design.files[NormalizeFileName("Theme_36_36/" + name)] = "abc";
    }
    harness.state.design.themeIconSets = {set};
    int listed = 0;
    int cursor = 0;
    for (int round = 0; round < 10; ++round) {
        Fields reply =
            harness.Ask({"ZOLApp", "GetThemeIcons", "Theme_36_36", std::to_string(cursor)});
        if (reply[0].number == -1) {
            break;
        }
        listed += static_cast<int>((reply.size() - 5) / 3);
        cursor = reply.at(4).number;
        EXPECT_EQ(reply.at(6).number, 3);
        EXPECT_EQ(reply.at(7).number, 'a' + 'b' + 'c');
    }
    EXPECT_EQ(listed, 25);
    Fields chunk = harness.Ask({"ZOLApp", "GetThemeIcon", "Theme_36_36", "Icon3_off.png", "0"});
    EXPECT_EQ(chunk.at(6).text, "616263");

    // A byte sum from 2^31 on goes out as the negative number a client reads.
    const std::string huge(9000000, '\xFF');
    harness.state.design.files[NormalizeFileName("Theme_36_36/Big_off.png")] = huge;
    harness.state.design.themeIconSets[0].fileNames = {"Big_off.png"};
    Fields big = harness.Ask({"ZOLApp", "GetThemeIcons", "Theme_36_36", "0"});
    ASSERT_EQ(big.size(), 8u);
    EXPECT_EQ(big[7].text, std::to_string(static_cast<std::int32_t>(ByteSum(huge))));
    EXPECT_EQ(big[7].kind, FieldNumber);
    EXPECT_LT(big[7].number, 0);
}

TEST(FormatText, ReplacesKnownPlaceholdersAndKeepsTheRest) {
    SimDesign design;
    design.placeholders["%OUT%"] = "54F";
    design.objects = {Lamp(3, "Lamp")};
    design.objects[0].level = 40;
    const auto now = std::chrono::system_clock::now();
    EXPECT_EQ(FormatPlaceholders("Out %OUT% at 100% and %LEVEL:3%%", design, now),
              "Out 54F at 100% and 40%");
    EXPECT_EQ(FormatPlaceholders("%NOPE% %", design, now), "%NOPE% %");
    EXPECT_EQ(FormatPlaceholders("%TIME%", design, now).size(), 5u);
}

TEST(StatusRequests, HomeModeChangesArePushedAndCheckedForRange) {
    RouterHarness harness;
    harness.state.design.homeModeNames = {"Home", "Away"};
    EXPECT_EQ(harness.Ask({"ZOLApp", "SetHomeMode", "1"})[0].number, 0);
    ASSERT_EQ(harness.pushes.size(), 1u);
    EXPECT_EQ(Decode(harness.pushes[0].message).at(2).text, "ServerStatus");
    EXPECT_EQ(harness.Ask({"ZOLApp", "SetHomeMode", "2"})[0].number, -1);
    Fields status = harness.Ask({"ZOLApp", "GetServerStatus"});
    ASSERT_EQ(status.size(), 13u);
    EXPECT_EQ(status[3].number, 0) << "normal unless the design says otherwise";
    EXPECT_EQ(status[6].number, 1) << "third status number is the home mode";
    EXPECT_EQ(status[9].kind, FieldDateTime);
    EXPECT_EQ(status[12].kind, FieldDateTime);
}

}  // namespace
}  // namespace zol::test

namespace zol::test {
namespace {

using Fields = std::vector<FieldValue>;

SimDesign DisplayDesign() {
    SimDesign design;
    SimObject heater;
    heater.objectId = 1;
    heater.name = "Heater";
    heater.location = "Den";
    heater.metered = 2000;
    heater.level = 50;
    heater.infraredKeys = {{"Power", "Power", {1, 2, 3, 4, 5}}, {"Mute", "Mute", {}}};
    design.objects = {heater};
    SimDisplay den;
    den.name = "Den";
    den.displayId = 20;
    den.objectIds = {1};
    SimDisplay graph;
    graph.name = "Power";
    graph.displayId = 21;
    graph.displayKind = 3;
    graph.graphTitle = "Now";
    graph.graphBars = {{"Heater", false, {{1, std::nullopt, 255, 0, 0}}},
                       {"Den", true, {{20, std::nullopt, 0, 255, 0}, {1, 7, 0, 0, 255}}}};
    SimDisplay page;
    page.name = "Page";
    page.displayId = 22;
    page.displayKind = 2;
    page.htmlPage = std::string(10000, 'h');
    design.displays = {den, graph, page};
    design.mruObjectIds = {20, 1};
    return design;
}

TEST(DisplayRequests, PowerGraphBarsAreSingleOrStackedWithLiveValues) {
    RouterHarness harness;
    harness.state.design = DisplayDesign();
    Fields reply = harness.Ask({"ZOLApp", "GetDisplayGraph", "0", "Power"});
    ASSERT_EQ(reply.size(), 8u);
    EXPECT_EQ(reply[3].text, "Now");
    EXPECT_EQ(reply[4].number, 2);
    const Fields single = Decode(reply[6].text);
    ASSERT_EQ(single.size(), 6u);
    EXPECT_EQ(single[2].number, 1000) << "metered 2000 at level 50";
    const Fields stacked = Decode(reply[7].text);
    ASSERT_EQ(stacked.size(), 2u + 2 * 5);
    EXPECT_EQ(stacked[1].number, 1007) << "total: the display's objects plus a fixed 7";
    EXPECT_EQ(stacked[3].number, 1000);
    EXPECT_EQ(stacked[8].number, 7);
}

TEST(DisplayRequests, HtmlPagesComeInChunksUntilAFailureCode) {
    RouterHarness harness;
    harness.state.design = DisplayDesign();
    std::string page;
    int chunk = 0;
    for (; chunk < 10; ++chunk) {
        Fields reply = harness.Ask({"ZOLApp", "GetDisplayHTML", "Page", std::to_string(chunk)});
        if (reply[0].number != 0) {
            break;
        }
        page += reply.at(4).text;
    }
    EXPECT_EQ(chunk, 2);
    EXPECT_EQ(page, std::string(10000, 'h'));
}

TEST(DisplayRequests, MostRecentlyUsedAndInfraredKeysHaveTheirLayouts) {
    RouterHarness harness;
    harness.state.design = DisplayDesign();
    Fields byName = harness.Ask({"ZOLApp", "GetDisplayMRU", "Den"});
    ASSERT_EQ(byName.size(), 4u);
    EXPECT_EQ(byName[3].number, 1) << "a display without its own list shows its objects";
    Fields byNumbers = harness.Ask({"ZOLApp", "GetDisplayMRU", "4", "0", "1", "0"});
    ASSERT_EQ(byNumbers.size(), 5u);
    EXPECT_EQ(byNumbers[3].number, 20);

    Fields keys = harness.Ask({"ZOLApp", "IRKeypad", "Den - Heater"});
    const Fields list = Decode(keys.at(3).text);
    ASSERT_EQ(list.size(), 2u);
    const Fields power = Decode(list[0].text);
    ASSERT_EQ(power.size(), 7u);
    EXPECT_EQ(power[1].text, "Power");
    EXPECT_EQ(power[6].number, 5);
    EXPECT_EQ(harness.Ask({"ZOLObject", "Device.IR", "Den - Heater", "Mute", "1"})[0].number, 0);
    EXPECT_EQ(harness.Ask({"ZOLObject", "Device.IR", "Den - Heater", "Eject", "0"})[0].number, -1);
}

}  // namespace
}  // namespace zol::test

namespace zol::test {
namespace {

TEST(StatusRequests, SchedulesArePickedByTheirNumber) {
    RouterHarness harness;
    harness.state.design.schedules = {{1, "Weekday"}, {5, "Holiday"}, {7, "Summer"}};
    harness.state.design.currentSchedule = 1;
    EXPECT_EQ(harness.Ask({"ZOLApp", "SetCurrentSchedule", "5"})[0].number, 0);
    EXPECT_EQ(harness.state.design.currentSchedule, 5);
    ASSERT_EQ(harness.pushes.size(), 1u);
    EXPECT_EQ(Decode(harness.pushes[0].message).at(7).number, 5) << "fourth status number";
    EXPECT_EQ(harness.Ask({"ZOLApp", "GetServerStatus"}).at(7).number, 5);
    EXPECT_EQ(harness.Ask({"ZOLApp", "SetCurrentSchedule", "2"})[0].number, -1)
        << "a position is no schedule number";
    EXPECT_EQ(harness.Ask({"ZOLApp", "SetCurrentSchedule", ""})[0].number, -1);
    EXPECT_EQ(harness.state.design.currentSchedule, 5);
}

}  // namespace
}  // namespace zol::test

namespace zol::test {
namespace {

TEST(RequestFailures, ANamedRequestFailsWithACodeOrWithListsThatDoNotDecode) {
    RouterHarness harness;
    harness.state.design.objects = {Lamp(1, "Lamp")};
    harness.failure = {"Device.On", -5, false};
    Fields reply = harness.Ask({"ZOLObject", "Device.On", "Kitchen - Lamp"});
    ASSERT_EQ(reply.size(), 3u);
    EXPECT_EQ(reply[0].number, -5);
    EXPECT_EQ(reply[2].text, "Device.On");
    EXPECT_EQ(harness.state.design.objects[0].level, 0) << "a failed command changes nothing";
    EXPECT_TRUE(harness.pushes.empty());
    EXPECT_EQ(harness.Ask({"ZOLObject", "Device.Off", "Kitchen - Lamp"})[0].number, 0);

    harness.failure = {"GetDesign", 0, true};
    reply = harness.Ask({"ZOLApp", "GetDesign", "0"});
    ASSERT_EQ(reply.size(), 4u);
    EXPECT_EQ(reply[0].number, 0);
    Fields entries;
    EXPECT_NE(DecodeFieldList(reply[3].text, entries), kFieldListOk);

    // A reply without nested lists gets a fourth field that is one.
    harness.failure = {"TimeStamp", 0, true};
    reply = harness.Ask({"ZOLApp", "TimeStamp"});
    ASSERT_EQ(reply.size(), 5u);
    EXPECT_NE(DecodeFieldList(reply[3].text, entries), kFieldListOk);
    EXPECT_EQ(reply[4].text, harness.state.design.designTimeStamp);
}

}  // namespace
}  // namespace zol::test

namespace zol::test {
namespace {

TEST(LogRequests, CommandsAndStatusChangesAreReadByFilterFromACursor) {
    RouterHarness harness;
    harness.state.design.objects = {Lamp(1, "Lamp")};
    harness.state.design.homeModeNames = {"Home", "Away"};
    harness.Ask({"ZOLObject", "Device.DimToPercent", "Kitchen - Lamp", "30"});
    harness.Ask({"ZOLObject", "Device.On", "Kitchen - Nothing"});
    harness.Ask({"ZOLApp", "SetHomeMode", "1"});
    Fields url = harness.Ask({"ZOLApp", "SetUpdateURL", "http://127.0.0.1/update"});
    EXPECT_EQ(url.at(3).text, "http://127.0.0.1/update");

    Fields filters = harness.Ask({"ZOLApp", "GetLogFilters"});
    ASSERT_EQ(filters.size(), 11u);
    EXPECT_EQ(filters[3].number, 0);
    EXPECT_EQ(filters[6].text, "Commands");

    Fields all = harness.Ask({"ZOLApp", "GetLog", "0", "0"});
    ASSERT_EQ(all.size(), 5u + 3) << "the failed command is not in the log";
    EXPECT_EQ(all[4].number, 4) << "next entry number";
    const Fields first = Decode(all[5].text);
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0].number, 1);
    EXPECT_EQ(first[1].kind, FieldDateTime);
    EXPECT_EQ(first[2].number, kLogCommands);
    EXPECT_EQ(first[3].text, "Device.DimToPercent Kitchen - Lamp 30");
    Fields status = harness.Ask({"ZOLApp", "GetLog", "2", "0"});
    ASSERT_EQ(status.size(), 5u + 2);
    EXPECT_EQ(Decode(status[5].text).at(3).text, "Home mode Away");
    EXPECT_EQ(harness.Ask({"ZOLApp", "GetLog", "0", "4"})[0].number, 1);

    // A long log comes in replies that fit, each entry once.
    for (int i = 0; i < 300; ++i) {
        harness.state.log.Add(kLogMessages, std::string(400, 'm'),
                              std::chrono::system_clock::now());
    }
    int read = 0;
    int replies = 0;
    for (int cursor = 0; replies < 100; ++replies) {
        Fields reply = harness.Ask({"ZOLApp", "GetLog", "3", std::to_string(cursor)});
        if (reply[0].number != 0) {
            break;
        }
        EXPECT_LE(harness.replyText.size(), kMaxFieldListLength);
        read += static_cast<int>(reply.size()) - 5;
        cursor = reply.at(4).number;
    }
    EXPECT_EQ(read, 300);
    EXPECT_GT(replies, 10);
}

}  // namespace
}  // namespace zol::test
