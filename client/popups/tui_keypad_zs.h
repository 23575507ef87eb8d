// CTUIKeypadZS: rockers (top half 0, bottom half 1 of button r) and "B"
// keys, which count after the object's rocker positions (textCount).
#pragma once

#include "client/popups/tui_keypad.h"

namespace zol {

class CTUIKeypadZS : public CTUIKeypad {
    Q_OBJECT
  public:
    using CTUIKeypad::CTUIKeypad;

  protected:
    int ButtonOfKey(int key, const DesignObject& object) const override;
    int IndicatorEntry(int key, const DesignObject& object) const override;
};

}  // namespace zol
