// CTUIKeypadKey8: up to eight keys, key n sends button n; an object with
// exactly four keys shows only the first four.
#pragma once

#include "client/popups/tui_keypad.h"

namespace zol {

class CTUIKeypadKey8 : public CTUIKeypad {
    Q_OBJECT
  public:
    using CTUIKeypad::CTUIKeypad;

  protected:
    std::optional<std::string> KeyCaption(int key, const DesignObject& object) const override;
    bool KeyHidden(int key, const DesignObject& object) const override;
};

}  // namespace zol
