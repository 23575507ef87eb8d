// CTUIKeypad1to8: one to eight rockers, no indicators; it does not follow
// object changes.
#pragma once

#include "client/popups/tui_keypad.h"

namespace zol {

class CTUIKeypad1to8 : public CTUIKeypad {
  public:
    using CTUIKeypad::CTUIKeypad;

  protected:
    int IndicatorEntry(int /*key*/, const DesignObject& /*object*/) const override { return -1; }
    bool FollowsChanges() const override { return false; }
};

}  // namespace zol
