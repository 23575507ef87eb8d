#include "simulator/keypad_buttons.h"

#include <algorithm>
#include <string_view>

namespace zol {

namespace {

bool HasRockers(std::string_view templateName) {
    if (templateName.starts_with("ZS")) {
        return true;
    }
    return templateName.size() == 7 && templateName.starts_with("Keypad") &&
           templateName[6] >= '1' && templateName[6] <= '8';
}

}  // namespace

std::size_t KeypadRockerCount(const SimObject& object) {
    return HasRockers(object.templateName) ? std::min<std::size_t>(object.texts.size(), kMaxButtons)
                                           : 0;
}

KeypadButton ResolveKeypadButton(const SimObject& object, int button) {
    if (button < 0) {
        return {};
    }
    const auto number = static_cast<std::size_t>(button);
    const std::size_t rockers = KeypadRockerCount(object);
    if (number < rockers) {
        return {KeypadButtonKind::kRocker, number};
    }
    const std::size_t key = number - rockers;
    if (key < std::min<std::size_t>(object.buttonNames.size(), kMaxButtons)) {
        return {KeypadButtonKind::kKey, key};
    }
    return {};
}

}  // namespace zol
