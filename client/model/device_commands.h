// DeviceCommands: the commands the client sends for one design object or
// display: switch, dim, start or stop a program, press a keypad button, send
// an infrared key, read keypad button states, read and change a thermostat.
// Each sends one request with the wait cursor shown, reports a failure once
// in a message box and returns 0, the request's error or the server's code.
//
// Thread-safety: the user-interface thread only (the requests block it).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zol {

class RequestChannel;
class UserReporter;
struct DesignObject;
struct DisplayRecord;

// What "ThermostatState" reports, in reply order (fields 5 to 16).
struct ThermostatReading {
    std::int32_t heatSetpoint = 0;  // -1 when the thermostat has none
    std::int32_t heatSetpointHigh = 0;
    std::int32_t heatSetpointLow = 0;
    std::int32_t coolSetpoint = 0;  // -1 when the thermostat has none
    std::int32_t coolSetpointHigh = 0;
    std::int32_t coolSetpointLow = 0;
    std::int32_t currentTemperature = 0;  // -1 when unknown
    std::int32_t mode = 0;
    std::int32_t fan = 0;      // 1 when the reply's field is 0
    std::int32_t celsius = 0;  // 1 when the reply's field is exactly "C"
    std::int32_t extraNumber = 0;
    std::string extraText;
};

// What ChangeThermostat changes.
enum ThermostatSetting : std::int32_t {
    ThermostatHeatSetpoint = 1,
    ThermostatMode = 2,
    ThermostatFan = 3,
    ThermostatCoolSetpoint = 7,
};

// Returned, without anything sent, for a command that cannot be built: an
// object of no known kind, or a request longer than a message may be.
inline constexpr int kCommandNotBuilt = -1;

class DeviceCommands {
  public:
    DeviceCommands(RequestChannel& channel, UserReporter& reporter)
        : channel_(channel), reporter_(reporter) {}

    int TurnOn(const DesignObject& object);
    int TurnOff(const DesignObject& object);
    int DimToPercent(const DesignObject& object, int percent);
    int DimUpPercent(const DesignObject& object, int percent);
    int DimDownPercent(const DesignObject& object, int percent);
    int StartProgram(const DesignObject& program);
    // With `reportErrors` false nothing is shown (refresh timers, display
    // enter and exit), but the real outcome is still returned.
    int StartProgramEx(const DesignObject& program, std::string_view text1, std::string_view text2,
                       std::string_view text3, std::string_view text4, bool reportErrors);
    int StopProgram(const DesignObject& program);
    // `half`: which half of a split button (0 or 1), otherwise 0.
    int PressKeypadButton(const DesignObject& object, int button, int half);
    int SendInfrared(const DesignObject& object, std::string_view keyName, bool firstPress);
    int DisplayOn(const DisplayRecord& display);
    int DisplayOff(const DisplayRecord& display);
    // Replaces the object's first button states with the server's.
    int ReadKeypadButtonStates(DesignObject& object);
    // Fills `reading` when the reply decodes; returns the server's code.
    int ReadThermostat(const DesignObject& object, ThermostatReading& reading);
    // On a non-zero code `errorText` receives the server's explanation,
    // which the caller shows.
    int ChangeThermostat(const DesignObject& object, ThermostatSetting what, int value,
                         std::string& errorText);

  private:
    struct Exchange {
        int error = 0;
        std::int32_t resultCode = 0;
        std::string reply;
    };
    // The object's "<Kind>.<verb>" command with its full name and `extra`.
    int ObjectCommand(const DesignObject& object, std::string_view verb,
                      std::initializer_list<std::string_view> extra, bool reportErrors = true);
    // Sends with the wait cursor; false (after reporting, when asked) when
    // the message could not be sent or no reply came.
    bool Send(std::string_view message, std::string_view name, bool report, Exchange& exchange);
    int Command(std::string_view object, std::string_view method,
                const std::vector<std::string_view>& fields, bool reportErrors = true);

    RequestChannel& channel_;
    UserReporter& reporter_;
};

}  // namespace zol
