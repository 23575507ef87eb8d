// CTUIProgramStart: one button, "Stop" for a running program and "Start"
// otherwise. A press stops the program and, when it was not running at
// opening and the stop succeeded, starts it.
#pragma once

#include "client/popups/tui_program_popup.h"

namespace zol {

class CTUIProgramStart : public CTUIProgramPopup {
    Q_OBJECT
  public:
    using CTUIProgramPopup::CTUIProgramPopup;

  protected:
    void AddButtons() override;
};

}  // namespace zol
