#include "client/display/popup_template.h"

#include <array>
#include <string>

namespace zol {
namespace {

struct Entry {
    std::string_view name;
    PopupTemplate popup;
};

using C = PopupClass;
using L = PopupLayout;

// A keypad model with its own layout and its load layout.
struct KeypadModel {
    std::string_view name;
    PopupClass popupClass;
    PopupLayout plain;
    PopupLayout load;
};

constexpr std::array kKeypadModels{
    KeypadModel{"ZS11", C::KeypadZS, L::ZS11, L::ZS11Load},
    KeypadModel{"ZS12", C::KeypadZS, L::ZS12, L::ZS12Load},
    KeypadModel{"ZS22", C::KeypadZS, L::ZS22, L::ZS22Load},
    KeypadModel{"ZS23", C::KeypadZS, L::ZS23, L::ZS23Load},
    KeypadModel{"ZS24", C::KeypadZS, L::ZS24, L::ZS24Load},
    KeypadModel{"ZS24X", C::KeypadZS, L::ZS24X, L::ZS24XLoad},
    KeypadModel{"ZS25", C::KeypadZS, L::ZS25, L::ZS25Load},
    KeypadModel{"ZS26", C::KeypadZS, L::ZS26, L::ZS26Load},
    KeypadModel{"ZS28", C::KeypadZS, L::ZS28, L::ZS28Load},
    KeypadModel{"KL6", C::KeypadKey6, L::KL6, L::KL6Load},
    KeypadModel{"UPB6", C::KeypadKey6, L::UPB6, L::UPB6Load},
    KeypadModel{"UPB7", C::KeypadKey7, L::UPB7, L::UPB7Load},
    KeypadModel{"KL8", C::KeypadKey8, L::KL8, L::KL8Load},
    KeypadModel{"UPB8", C::KeypadKey8, L::UPB8, L::UPB8Load},
};

constexpr std::array kFixedEntries{
    Entry{"onoffdim", {C::OnOffDim, L::DimmerWithSlider, true, true}},
    Entry{"onoff", {C::OnOffDim, L::DimmerWithoutSlider, true, false}},
    Entry{"Keypad1", {C::Keypad1to8, L::Keypad1, false, false}},
    Entry{"Keypad2", {C::Keypad1to8, L::Keypad2, false, false}},
    Entry{"Keypad3", {C::Keypad1to8, L::Keypad3, false, false}},
    Entry{"Keypad4", {C::Keypad1to8, L::Keypad4, false, false}},
    Entry{"Keypad5", {C::Keypad1to8, L::Keypad5, false, false}},
    Entry{"Keypad6", {C::Keypad1to8, L::Keypad6, false, false}},
    Entry{"Keypad7", {C::Keypad1to8, L::Keypad7, false, false}},
    Entry{"Keypad8", {C::Keypad1to8, L::Keypad8, false, false}},
    Entry{"HKEY6", {C::KeypadKey6H, L::Default, false, false}},
    Entry{"ProgramStartStop", {C::ProgramStartStop, L::Default, false, false}},
    Entry{"ProgramOnOffStop", {C::ProgramOnOffStop, L::Default, false, false}},
    Entry{"ProgramStart", {C::ProgramStart, L::Default, false, false}},
    Entry{"ProgramOnOff", {C::ProgramOnOff, L::Default, false, false}},
    Entry{"thermostatT", {C::Thermostat, L::ThermostatT, false, false}},
    Entry{"thermostatTHMF", {C::Thermostat, L::ThermostatTHMF, false, false}},
    Entry{"thermostatTHCM", {C::Thermostat, L::ThermostatTHCM, false, false}},
    Entry{"thermostatTHCMF", {C::Thermostat, L::ThermostatTHCMF, false, false}},
    Entry{"IRDevice", {C::IrKeypad, L::Default, false, false}},
    Entry{"None", {C::None, L::Default, false, false}},
    Entry{"", {C::None, L::Default, false, false}},
};

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

std::optional<PopupTemplate> ResolvePopupTemplate(std::string_view name) {
    for (const Entry& entry : kFixedEntries) {
        if (entry.name == name)
            return entry.popup;
    }
    // A keypad model name, or the name with "Load" (buttons) or "LoadDim"
    // (buttons and slider) after it. "LoadDim" is tested first: it also
    // ends a name that "Load" would cut wrongly.
    std::string_view model = name;
    bool load = false;
    bool dim = false;
    if (EndsWith(name, "LoadDim")) {
        model = name.substr(0, name.size() - 7);
        load = dim = true;
    } else if (EndsWith(name, "Load")) {
        model = name.substr(0, name.size() - 4);
        load = true;
    }
    for (const KeypadModel& keypad : kKeypadModels) {
        if (keypad.name == model)
            return PopupTemplate{keypad.popupClass, load ? keypad.load : keypad.plain, load, dim};
    }
    return std::nullopt;
}

std::string UnknownTemplateText(std::string_view name) {
    std::string text = "No popup template for \"";
    text.append(name).append("\"");
    return text;
}

}  // namespace zol
