// CTUIKeypadKey6: six keys, key n sends button n and shows the n-th key name.
#pragma once

#include "client/popups/tui_keypad.h"

namespace zol {

class CTUIKeypadKey6 : public CTUIKeypad {
  public:
    using CTUIKeypad::CTUIKeypad;

  protected:
    // Numbering, captions and indicators are the common ones.
};

}  // namespace zol
