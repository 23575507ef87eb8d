#include "client/popups/tui_keypad_key8.h"

#include "client/model/design_object.h"

namespace zol {

std::optional<std::string> CTUIKeypadKey8::KeyCaption(int key, const DesignObject& object) const {
    if (key >= object.buttonCount || key >= 8)
        return std::nullopt;
    return CTUIKeypad::KeyCaption(key, object);
}

bool CTUIKeypadKey8::KeyHidden(int key, const DesignObject& object) const {
    return object.buttonCount == 4 && key >= 4;
}

}  // namespace zol
