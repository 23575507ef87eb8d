#include "client/popups/tui_keypad_zs.h"

#include <algorithm>

#include "client/model/design_object.h"

namespace zol {

int CTUIKeypadZS::ButtonOfKey(int key, const DesignObject& object) const {
    return key + std::clamp(object.textCount, 0, kMaxObjectSlots);
}

int CTUIKeypadZS::IndicatorEntry(int key, const DesignObject& object) const {
    return key < object.buttonCount ? key : -1;
}

}  // namespace zol
