#include "client/popups/tui_keypad_key7.h"

#include "client/model/design_object.h"

namespace zol {

namespace {

constexpr int kSixthKey = 5;
constexpr int kSixthButton = 6;

}  // namespace

int CTUIKeypadKey7::ButtonOfKey(int key, const DesignObject&) const {
    return key == kSixthKey ? kSixthButton : key;
}

std::optional<std::string> CTUIKeypadKey7::KeyCaption(int key, const DesignObject& object) const {
    return CTUIKeypad::KeyCaption(ButtonOfKey(key, object), object);
}

bool CTUIKeypadKey7::KeyHidden(int key, const DesignObject& object) const {
    return key == kSixthKey && object.buttonNames[kSixthButton] == "UP";
}

int CTUIKeypadKey7::IndicatorEntry(int key, const DesignObject& object) const {
    return ButtonOfKey(key, object);
}

}  // namespace zol
