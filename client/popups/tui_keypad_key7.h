// CTUIKeypadKey7: five keys (buttons 0-4) and a sixth key that sends
// button 6 and shows the seventh name; a seventh key named "UP" has no key.
#pragma once

#include "client/popups/tui_keypad.h"

namespace zol {

class CTUIKeypadKey7 : public CTUIKeypad {
    Q_OBJECT
  public:
    using CTUIKeypad::CTUIKeypad;

  protected:
    int ButtonOfKey(int key, const DesignObject& object) const override;
    std::optional<std::string> KeyCaption(int key, const DesignObject& object) const override;
    bool KeyHidden(int key, const DesignObject& object) const override;
    int IndicatorEntry(int key, const DesignObject& object) const override;
};

}  // namespace zol
