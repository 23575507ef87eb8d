#include "client/model/device_commands.h"

#include <algorithm>
#include <vector>

#include "client/model/design_object.h"
#include "client/model/display_record.h"
#include "client/model/reply_fields.h"
#include "client/model/request_channel.h"
#include "client/model/server_error.h"
#include "client/model/user_reporter.h"
#include "serverlink/field_list.h"

namespace zol {
namespace {

constexpr std::string_view kObjectTarget = "ZOLObject";
constexpr std::string_view kAppTarget = "ZOLApp";
constexpr std::string_view kThermostatState = "ZOLApp.ThermostatState";
constexpr std::string_view kThermostatChange = "ZOLApp.ThermostatChange";

std::string Message(std::string_view object, std::string_view method,
                    const std::vector<std::string_view>& fields) {
    FieldList list(static_cast<int>(2 + fields.size()));
    list.Add(object).Add(method);
    for (std::string_view field : fields) {
        list.Add(field);
    }
    return list.Message();
}

}  // namespace

bool DeviceCommands::Send(std::string_view message, std::string_view name, bool report,
                          Exchange& exchange) {
    if (message.size() > kMaxFieldListLength) {
        // Four-digit offsets cannot describe it: the server would misread it.
        exchange.error = kCommandNotBuilt;
        if (report) {
            reporter_.ShowMessage("Command too long to send: " + std::string(name) + " (" +
                                  std::to_string(message.size()) + " bytes, at most " +
                                  std::to_string(kMaxFieldListLength) + ")");
        }
        return false;
    }
    {
        WaitCursor wait(reporter_);
        exchange.error = channel_.SendRequest(message, exchange.resultCode, exchange.reply);
    }
    if (exchange.error != 0) {
        if (report) {
            reporter_.ShowMessage(ServerTimeoutText(name, exchange.error));
        }
        return false;
    }
    return true;
}

int DeviceCommands::Command(std::string_view object, std::string_view method,
                            const std::vector<std::string_view>& fields, bool reportErrors) {
    Exchange exchange;
    if (!Send(Message(object, method, fields), method, reportErrors, exchange)) {
        return exchange.error;
    }
    if (exchange.resultCode != 0 && reportErrors) {
        ReportServerError(reporter_, exchange.resultCode, method);
    }
    return exchange.resultCode;
}

int DeviceCommands::ObjectCommand(const DesignObject& object, std::string_view verb,
                                  std::initializer_list<std::string_view> extra,
                                  bool reportErrors) {
    const std::string_view kind = ObjectKindName(object.objectKind);
    const std::string fullName = FullObjectName(object);
    if (kind.empty()) {
        // ".On" names no command the server knows; say why nothing happens.
        if (reportErrors) {
            reporter_.ShowMessage("Cannot send " + std::string(verb) + " to \"" + fullName +
                                  "\": unknown object kind " + std::to_string(object.objectKind));
        }
        return kCommandNotBuilt;
    }
    const std::string method = std::string(kind) + "." + std::string(verb);
    std::vector<std::string_view> fields{fullName};
    fields.insert(fields.end(), extra.begin(), extra.end());
    return Command(kObjectTarget, method, fields, reportErrors);
}

int DeviceCommands::TurnOn(const DesignObject& object) {
    return ObjectCommand(object, "On", {});
}

int DeviceCommands::TurnOff(const DesignObject& object) {
    return ObjectCommand(object, "Off", {});
}

int DeviceCommands::DimToPercent(const DesignObject& object, int percent) {
    return ObjectCommand(object, "DimToPercent", {std::to_string(percent)});
}

int DeviceCommands::DimUpPercent(const DesignObject& object, int percent) {
    return ObjectCommand(object, "DimUpPercent", {std::to_string(percent)});
}

int DeviceCommands::DimDownPercent(const DesignObject& object, int percent) {
    return ObjectCommand(object, "DimDownPercent", {std::to_string(percent)});
}

int DeviceCommands::StartProgram(const DesignObject& program) {
    return Command(kObjectTarget, "Program.Start", {FullObjectName(program)});
}

int DeviceCommands::StartProgramEx(const DesignObject& program, std::string_view text1,
                                   std::string_view text2, std::string_view text3,
                                   std::string_view text4, bool reportErrors) {
    return Command(kObjectTarget, "Program.StartEx",
                   {FullObjectName(program), text1, text2, text3, text4}, reportErrors);
}

int DeviceCommands::StopProgram(const DesignObject& program) {
    return Command(kObjectTarget, "Program.Stop", {FullObjectName(program)});
}

int DeviceCommands::PressKeypadButton(const DesignObject& object, int button, int half) {
    return ObjectCommand(object, "Keypress", {std::to_string(button), std::to_string(half), "0"});
}

int DeviceCommands::SendInfrared(const DesignObject& object, std::string_view keyName,
                                 bool firstPress) {
    return ObjectCommand(object, "IR", {keyName, firstPress ? "1" : "0"});
}

int DeviceCommands::DisplayOn(const DisplayRecord& display) {
    return Command(kObjectTarget, "Display.On", {display.name});
}

int DeviceCommands::DisplayOff(const DisplayRecord& display) {
    return Command(kObjectTarget, "Display.Off", {display.name});
}

int DeviceCommands::ReadKeypadButtonStates(DesignObject& object) {
    constexpr std::string_view kMethod = "KeypadButtonState";
    Exchange exchange;
    if (!Send(Message(kAppTarget, kMethod, {std::to_string(object.objectId)}), kMethod, true,
              exchange)) {
        return exchange.error;
    }
    if (exchange.resultCode != 0) {
        ReportServerError(reporter_, exchange.resultCode, kMethod);
        return exchange.resultCode;
    }
    ReplyFields fields;
    if (int code = fields.Decode(exchange.reply); code != 0) {
        reporter_.ShowMessage(ServerDecodeErrorText(kMethod, code));
        return code;
    }
    // The count is the server's word; the states are what it really sent.
    const std::int64_t sent = std::max<std::int64_t>(0, fields.Count() - 5);
    const std::int64_t count = std::clamp<std::int64_t>(
        fields.Number(5), 0, std::min<std::int64_t>(sent, kMaxObjectSlots));
    for (std::int64_t i = 0; i < count; ++i) {
        object.buttonStates[static_cast<std::size_t>(i)] = fields.Number(6 + i);
    }
    return 0;
}

int DeviceCommands::ReadThermostat(const DesignObject& object, ThermostatReading& reading) {
    Exchange exchange;
    if (!Send(Message(kAppTarget, "ThermostatState", {FullObjectName(object)}), kThermostatState,
              true, exchange)) {
        return exchange.error;
    }
    ReplyFields fields;
    if (int code = fields.Decode(exchange.reply); code != 0) {
        reporter_.ShowMessage(ServerDecodeErrorText(kThermostatState, code));
        return code;
    }
    reading.heatSetpoint = fields.Number(5);
    reading.heatSetpointHigh = fields.Number(6);
    reading.heatSetpointLow = fields.Number(7);
    reading.coolSetpoint = fields.Number(8);
    reading.coolSetpointHigh = fields.Number(9);
    reading.coolSetpointLow = fields.Number(10);
    reading.currentTemperature = fields.Number(11);
    reading.mode = fields.Number(12);
    reading.fan = fields.Number(13) == 0 ? 1 : 0;
    reading.celsius = fields.Text(14) == "C" ? 1 : 0;
    reading.extraNumber = fields.Number(15);
    reading.extraText = fields.Text(16);
    return exchange.resultCode;
}

int DeviceCommands::ChangeThermostat(const DesignObject& object, ThermostatSetting what, int value,
                                     std::string& errorText) {
    Exchange exchange;
    if (!Send(Message(kAppTarget, "ThermostatChange",
                      {FullObjectName(object), std::to_string(what), std::to_string(value)}),
              kThermostatChange, true, exchange)) {
        return exchange.error;
    }
    if (exchange.resultCode == 0) {
        return 0;
    }
    ReplyFields fields;
    if (int code = fields.Decode(exchange.reply); code != 0) {
        reporter_.ShowMessage(ServerDecodeErrorText(kThermostatChange, code));
    } else {
        errorText = fields.Text(7);
    }
    return exchange.resultCode;
}

}  // namespace zol
