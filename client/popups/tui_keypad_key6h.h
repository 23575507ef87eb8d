// CTUIKeypadKey6H: six keys as CTUIKeypadKey6, without load controls.
#pragma once

#include "client/popups/tui_keypad.h"

namespace zol {

class CTUIKeypadKey6H : public CTUIKeypad {
  public:
    using CTUIKeypad::CTUIKeypad;

  protected:
    // Numbering, captions and indicators are the common ones.
};

}  // namespace zol
