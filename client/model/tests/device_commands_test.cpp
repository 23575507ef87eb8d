#include "client/model/device_commands.h"

#include <gtest/gtest.h>

#include "client/model/design_object.h"
#include "client/model/display_record.h"
#include "client/model/tests/model_fakes.h"
#include "client/model/tests/scripted_channel.h"

namespace zol {
namespace {

using testing::FakeReporter;
using testing::Frame;
using testing::ScriptedChannel;
using testing::ScriptedReply;

class DeviceCommandsTest : public ::testing::Test {
  protected:
    DeviceCommandsTest() {
        lamp.location = "Kitchen";
        lamp.name = "Lamp";
        lamp.objectId = 12;
    }

    // Every request gets `answer`; the wait cursor must be up meanwhile.
    void Answer(ScriptedReply reply) { answer = std::move(reply); }
    std::vector<std::string> Sent(std::size_t index = 0) const {
        std::vector<std::string> fields;
        for (std::int64_t i = 1; i <= channel.requests.at(index).Count(); ++i)
            fields.emplace_back(channel.requests.at(index).Text(i));
        return fields;
    }

    DesignObject lamp;
    ScriptedReply answer{0, Frame({"0", "ZOLObject", "x"})};
    FakeReporter reporter;
    int cursorDuringRequest = 0;
    ScriptedChannel channel{[this](const ReplyFields&) {
        cursorDuringRequest = reporter.waitDepth;
        return answer;
    }};
    DeviceCommands commands{channel, reporter};
};

TEST_F(DeviceCommandsTest, ObjectCommandsNameTheKindAndTheFullObjectName) {
    DesignObject group;
    group.location = "Home";
    group.name = "All Lights";
    group.objectKind = ObjectKindGroup;
    EXPECT_EQ(commands.TurnOn(group), 0);
    EXPECT_EQ(Sent(0), (std::vector<std::string>{"ZOLObject", "Group.On", "Home - All Lights"}));
    EXPECT_EQ(cursorDuringRequest, 1);
    EXPECT_EQ(reporter.waitDepth, 0);

    EXPECT_EQ(commands.DimToPercent(lamp, 40), 0);
    EXPECT_EQ(Sent(1), (std::vector<std::string>{"ZOLObject", "Device.DimToPercent",
                                                 "Kitchen - Lamp", "40"}));
    commands.PressKeypadButton(lamp, 3, 1);
    EXPECT_EQ(Sent(2), (std::vector<std::string>{"ZOLObject", "Device.Keypress", "Kitchen - Lamp",
                                                 "3", "1", "0"}));
    commands.SendInfrared(lamp, "VOL+", true);
    EXPECT_EQ(Sent(3).back(), "1");
    DisplayRecord display;
    display.name = "Cinema";
    commands.DisplayOff(display);
    EXPECT_EQ(Sent(4), (std::vector<std::string>{"ZOLObject", "Display.Off", "Cinema"}));
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(DeviceCommandsTest, FailuresAreShownOnceWithTheCommandName) {
    Answer({0, Frame({"-3", "ZOLObject", "Device.Off"})});
    EXPECT_EQ(commands.TurnOff(lamp), -3);
    Answer({0, Frame({"-7", "ZOLObject", "Program.Start"})});
    EXPECT_EQ(commands.StartProgram(lamp), -7);
    Answer({1, ""});
    EXPECT_EQ(commands.TurnOn(lamp), 1);
    EXPECT_EQ(reporter.messages,
              (std::vector<std::string>{
                  "Server reported insufficient permissions for operation Device.Off",
                  "Server Command Error: Program.Start -7", "Server Timeout: Device.On 1"}));

    // Silent starts still tell the caller what happened.
    reporter.messages.clear();
    Answer({2, ""});
    EXPECT_EQ(commands.StartProgramEx(lamp, "tile", "label", "refresh", "", false), 2);
    Answer({0, Frame({"-6", "ZOLObject", "Program.StartEx"})});
    EXPECT_EQ(commands.StartProgramEx(lamp, "tile", "label", "refresh", "", false), -6);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(DeviceCommandsTest, WhatCannotBeBuiltIsNeverSent) {
    lamp.objectKind = 7;
    EXPECT_EQ(commands.TurnOn(lamp), kCommandNotBuilt);
    lamp.objectKind = ObjectKindDevice;
    EXPECT_EQ(commands.StartProgramEx(lamp, std::string(10000, 'x'), "", "", "", true),
              kCommandNotBuilt);
    EXPECT_TRUE(channel.requests.empty());
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0], "Cannot send On to \"Kitchen - Lamp\": unknown object kind 7");
}

TEST_F(DeviceCommandsTest, KeypadStatesTakeOnlyWhatTheServerCountedAndSent) {
    lamp.buttonStates.fill(9);
    Answer({0, Frame({"0", "ZOLApp", "KeypadButtonState", "12", "3", "1", "0", "1", "1", "1"})});
    EXPECT_EQ(commands.ReadKeypadButtonStates(lamp), 0);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ZOLApp", "KeypadButtonState", "12"}));
    EXPECT_EQ((std::vector<int>(lamp.buttonStates.begin(), lamp.buttonStates.begin() + 4)),
              (std::vector<int>{1, 0, 1, 9}));
    // A count beyond what came, or beyond sixteen, stops at what came.
    Answer({0, Frame({"0", "ZOLApp", "KeypadButtonState", "12", "99999", "0", "0"})});
    EXPECT_EQ(commands.ReadKeypadButtonStates(lamp), 0);
    EXPECT_EQ((std::vector<int>(lamp.buttonStates.begin(), lamp.buttonStates.begin() + 4)),
              (std::vector<int>{0, 0, 1, 9}));
    Answer({0, "garbage"});
    EXPECT_EQ(commands.ReadKeypadButtonStates(lamp), kFieldListNoTerminator);
    EXPECT_EQ(reporter.messages.back(),
              "Server Decode Error: KeypadButtonState 1. Contact technical support");
}

TEST_F(DeviceCommandsTest, ThermostatReadingAndChange) {
    Answer({0, Frame({"0", "ZOLApp", "ThermostatState", "x", "68", "90", "50", "76", "85", "70",
                      "72", "3", "0", "F", "5", "Auto"})});
    ThermostatReading reading;
    EXPECT_EQ(commands.ReadThermostat(lamp, reading), 0);
    EXPECT_EQ(reading.heatSetpoint, 68);
    EXPECT_EQ(reading.coolSetpointLow, 70);
    EXPECT_EQ(reading.mode, 3);
    EXPECT_EQ(reading.fan, 1);
    EXPECT_EQ(reading.celsius, 0);
    EXPECT_EQ(reading.extraText, "Auto");
    Answer({0, "garbage"});
    EXPECT_EQ(commands.ReadThermostat(lamp, reading), kFieldListNoTerminator);
    EXPECT_EQ(reading.heatSetpoint, 68);

    Answer({0, Frame({"-2", "ZOLApp", "ThermostatChange", "", "", "", "Set point out of range"})});
    std::string why = "before";
    EXPECT_EQ(commands.ChangeThermostat(lamp, ThermostatCoolSetpoint, 95, why), -2);
    EXPECT_EQ(Sent(2), (std::vector<std::string>{"ZOLApp", "ThermostatChange", "Kitchen - Lamp",
                                                 "7", "95"}));
    EXPECT_EQ(why, "Set point out of range");
    EXPECT_EQ(reporter.messages.size(), 1u);  // only the decode failure above
}

}  // namespace
}  // namespace zol
