// The pop-up template table: which control pop-up, in which layout, opens
// for an object's template name (compared exactly, letter case counting).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zol {

enum class PopupClass {
    None,  // "None" or an empty name: no pop-up
    OnOffDim,
    KeypadZS,
    Keypad1to8,
    KeypadKey6,
    KeypadKey7,
    KeypadKey8,
    KeypadKey6H,
    ProgramStartStop,
    ProgramOnOffStop,
    ProgramStart,
    ProgramOnOff,
    Thermostat,
    IrKeypad,
};

// One layout per keypad model (a load layout serves both the "Load" and the
// "LoadDim" names), per thermostat kind and per dimmer kind.
enum class PopupLayout {
    Default,
    DimmerWithSlider,
    DimmerWithoutSlider,
    ZS11,
    ZS12,
    ZS22,
    ZS23,
    ZS24,
    ZS24X,
    ZS25,
    ZS26,
    ZS28,
    ZS11Load,
    ZS12Load,
    ZS22Load,
    ZS23Load,
    ZS24Load,
    ZS24XLoad,
    ZS25Load,
    ZS26Load,
    ZS28Load,
    Keypad1,
    Keypad2,
    Keypad3,
    Keypad4,
    Keypad5,
    Keypad6,
    Keypad7,
    Keypad8,
    KL6,
    KL6Load,
    UPB6,
    UPB6Load,
    UPB7,
    UPB7Load,
    KL8,
    KL8Load,
    UPB8,
    UPB8Load,
    ThermostatT,
    ThermostatTHMF,
    ThermostatTHCM,
    ThermostatTHCMF,
};

struct PopupTemplate {
    PopupClass popupClass = PopupClass::None;
    PopupLayout layout = PopupLayout::Default;
    bool hasOnOff = false;   // the "ON" and "OFF" load buttons
    bool hasSlider = false;  // the level slider
    bool operator==(const PopupTemplate&) const = default;
};

// The template named `name`; nullopt for a name the table does not know.
std::optional<PopupTemplate> ResolvePopupTemplate(std::string_view name);

// "No popup template for \"%s\"" with the name.
std::string UnknownTemplateText(std::string_view name);

}  // namespace zol
