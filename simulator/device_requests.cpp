// Commands that operate the house: switching, dimming, programs, keypads,
// infrared keys, displays as icons, thermostats. Every change is pushed to
// all clients as "Update".
#include <algorithm>
#include <array>
#include <string>

#include "simulator/design_entries.h"
#include "simulator/keypad_buttons.h"
#include "simulator/request_router.h"

namespace zol {

namespace {

constexpr std::array<const char*, 4> kKindNames = {"Device", "Program", "Group", "Controller"};

enum class LevelChange { kOn, kOff, kDimTo, kDimUp, kDimDown };

void PushObjectUpdate(RequestContext& context, const SimObject& object) {
    context.Push(EncodeObjectUpdate(object, context.Design().designTimeStamp,
                                    context.Config().versionMajor));
}

// A command carried out, for the server log: its name and arguments.
void LogCommand(RequestContext& context) {
    std::string text = context.Text(2);
    for (std::size_t field = 3; field <= context.FieldCount(); ++field) {
        text += " " + context.Text(field);
    }
    context.Log(kLogCommands, std::move(text));
}

// The object a command addresses by its full name ("Location - Name"), with
// the checks every command shares. Returns 0 and the object, or a code.
int FindCommandObject(RequestContext& context, int requiredKind, SimObject*& object) {
    object = context.Design().FindObjectByFullName(context.Text(3));
    if (object == nullptr) {
        return kResultLookupError;
    }
    if (object->objectKind != requiredKind) {
        return kResultNotSupported;
    }
    if (object->commandResult != 0) {
        return object->commandResult;
    }
    if (object->suspendState != 0) {
        return kResultSuspended;
    }
    return kResultOk;
}

RequestHandler LevelCommand(int kind, LevelChange change) {
    return [kind, change](RequestContext& context) {
        SimObject* object = nullptr;
        if (int code = FindCommandObject(context, kind, object); code != kResultOk) {
            return HandlerResult::Code(code);
        }
        const int percent = context.Number(4);
        int level = object->level;
        switch (change) {
            case LevelChange::kOn:
                level = 100;
                break;
            case LevelChange::kOff:
                level = 0;
                break;
            case LevelChange::kDimTo:
                level = percent;
                break;
            case LevelChange::kDimUp:
                level += percent;
                break;
            case LevelChange::kDimDown:
                level -= percent;
                break;
        }
        object->level = std::clamp(level, 0, 100);
        LogCommand(context);
        PushObjectUpdate(context, *object);
        return HandlerResult{};
    };
}

RequestHandler KeypressCommand(int kind) {
    return [kind](RequestContext& context) {
        SimObject* object = nullptr;
        if (int code = FindCommandObject(context, kind, object); code != kResultOk) {
            return HandlerResult::Code(code);
        }
        // Fields: object name, button (from 0), half, "0".
        const KeypadButton pressed =
            context.IsNumber(4) ? ResolveKeypadButton(*object, context.Number(4)) : KeypadButton{};
        switch (pressed.kind) {
            case KeypadButtonKind::kNone:
                return HandlerResult::Code(kResultLookupError);
            case KeypadButtonKind::kRocker: {
                // A rocker half sends its scene; the keypad keeps no state of it.
                const int half = context.Number(5);
                if (half != 0 && half != 1) {
                    return HandlerResult::Code(kResultLookupError);
                }
                LogCommand(context);
                return HandlerResult{};
            }
            case KeypadButtonKind::kKey:
                break;
        }
        if (object->buttonStates.size() <= pressed.index) {
            object->buttonStates.resize(pressed.index + 1, 0);
        }
        int& state = object->buttonStates[pressed.index];
        state = state == 0 ? 1 : 0;
        LogCommand(context);
        PushObjectUpdate(context, *object);
        return HandlerResult{};
    };
}

RequestHandler InfraredCommand(int kind) {
    return [kind](RequestContext& context) {
        SimObject* object = nullptr;
        if (int code = FindCommandObject(context, kind, object); code != kResultOk) {
            return HandlerResult::Code(code);
        }
        const std::string& key = context.Text(4);
        const bool known = std::any_of(object->infraredKeys.begin(), object->infraredKeys.end(),
                                       [&](const SimInfraredKey& k) { return k.name == key; });
        if (!known) {
            return HandlerResult::Code(kResultLookupError);
        }
        LogCommand(context);
        return HandlerResult{};
    };
}

RequestHandler DisplayCommand(int level) {
    return [level](RequestContext& context) {
        SimDisplay* display = context.Design().FindDisplayByName(context.Text(3));
        if (display == nullptr) {
            return HandlerResult::Code(kResultLookupError);
        }
        display->level = level;
        LogCommand(context);
        context.Push(EncodeDisplayUpdate(*display, context.Design().designTimeStamp));
        return HandlerResult{};
    };
}

HandlerResult KeypadButtonState(RequestContext& context) {
    const SimObject* object = context.Design().FindObject(context.Number(3));
    if (object == nullptr) {
        return HandlerResult::Code(kResultLookupError);
    }
    const int count = static_cast<int>(std::min<std::size_t>(object->buttonNames.size(), 16));
    HandlerResult result;
    result.results.Add(object->objectId).Add(count);
    for (int i = 0; i < count; ++i) {
        result.results.Add(i < static_cast<int>(object->buttonStates.size())
                               ? object->buttonStates[static_cast<std::size_t>(i)]
                               : 0);
    }
    return result;
}

HandlerResult ThermostatState(RequestContext& context) {
    const SimObject* object = context.Design().FindObjectByFullName(context.Text(3));
    if (object == nullptr || !object->thermostat) {
        return HandlerResult::Code(kResultLookupError);
    }
    const SimThermostat& t = *object->thermostat;
    HandlerResult result;
    result.results.Add(object->FullName())
        .Add(t.heatSetpoint)
        .Add(t.heatSetpointHigh)
        .Add(t.heatSetpointLow)
        .Add(t.coolSetpoint)
        .Add(t.coolSetpointHigh)
        .Add(t.coolSetpointLow)
        .Add(t.currentTemperature)
        .Add(t.mode)
        .Add(t.fan)
        .Add(t.celsius ? "C" : "F")
        .Add(t.extraNumber)
        .Add(t.extraText);
    return result;
}

// Checks and applies one thermostat change; returns an explanation when the
// change is refused.
std::string ChangeThermostat(SimThermostat& t, int what, int value) {
    auto setPoint = [value](int& point, int low, int high, const char* name) -> std::string {
        if (point == -1) {
            return std::string(name) + " set point not available";
        }
        if (value < low || value > high) {
            return std::string(name) + " set point must be between " + std::to_string(low) +
                   " and " + std::to_string(high);
        }
        point = value;
        return {};
    };
    switch (what) {
        case 1:
            return setPoint(t.heatSetpoint, t.heatSetpointLow, t.heatSetpointHigh, "Heat");
        case 7:
            return setPoint(t.coolSetpoint, t.coolSetpointLow, t.coolSetpointHigh, "Cool");
        case 2:
            if (value < 0 || value > 3) {
                return "Mode must be 0 to 3";
            }
            t.mode = value;
            return {};
        case 3:
            if (value < 0 || value > 1) {
                return "Fan must be 0 or 1";
            }
            t.fan = value;
            return {};
        default:
            return "Unknown thermostat setting " + std::to_string(what);
    }
}

HandlerResult ThermostatChangeRequest(RequestContext& context) {
    SimObject* object = context.Design().FindObjectByFullName(context.Text(3));
    if (object == nullptr || !object->thermostat) {
        return HandlerResult::Code(kResultLookupError);
    }
    const int what = context.Number(4);
    const int value = context.Number(5);
    HandlerResult result;
    result.results.Add(object->FullName()).Add(what).Add(value);
    std::string refusal = ChangeThermostat(*object->thermostat, what, value);
    if (!refusal.empty()) {
        result.resultCode = -6;
        result.results.Add(refusal);
        return result;
    }
    result.results.Add("");
    LogCommand(context);
    PushObjectUpdate(context, *object);
    return result;
}

HandlerResult IrKeypad(RequestContext& context) {
    const SimObject* object = context.Design().FindObjectByFullName(context.Text(3));
    if (object == nullptr) {
        return HandlerResult::Code(kResultLookupError);
    }
    FieldBuilder keys;
    for (const SimInfraredKey& key : object->infraredKeys) {
        FieldBuilder entry;
        entry.Add(key.name).Add(key.label);
        for (int number : key.numbers) {
            entry.Add(number);
        }
        keys.Add(entry.Message());
    }
    HandlerResult result;
    result.results.Add(keys.Message());
    return result;
}

}  // namespace

void RegisterDeviceRequests(RequestRouter& router) {
    for (int kind = 0; kind < static_cast<int>(kKindNames.size()); ++kind) {
        const std::string prefix = std::string(kKindNames[static_cast<std::size_t>(kind)]) + ".";
        router.Register(prefix + "On", LevelCommand(kind, LevelChange::kOn));
        router.Register(prefix + "Off", LevelCommand(kind, LevelChange::kOff));
        router.Register(prefix + "DimToPercent", LevelCommand(kind, LevelChange::kDimTo));
        router.Register(prefix + "DimUpPercent", LevelCommand(kind, LevelChange::kDimUp));
        router.Register(prefix + "DimDownPercent", LevelCommand(kind, LevelChange::kDimDown));
        router.Register(prefix + "Keypress", KeypressCommand(kind));
        router.Register(prefix + "IR", InfraredCommand(kind));
    }
    constexpr int kProgram = 1;
    router.Register("Program.Start", LevelCommand(kProgram, LevelChange::kOn));
    router.Register("Program.StartEx", LevelCommand(kProgram, LevelChange::kOn));
    router.Register("Program.Stop", LevelCommand(kProgram, LevelChange::kOff));
    router.Register("Display.On", DisplayCommand(100));
    router.Register("Display.Off", DisplayCommand(0));
    router.Register("KeypadButtonState", KeypadButtonState);
    router.Register("ThermostatState", ThermostatState);
    router.Register("ThermostatChange", ThermostatChangeRequest);
    router.Register("IRKeypad", IrKeypad);
}

}  // namespace zol
