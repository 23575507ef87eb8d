// CTUIProgramStartStop: "START" while the program is stopped, "STOP"
// while it runs.
#pragma once

#include "client/popups/tui_program_popup.h"

namespace zol {

class CTUIProgramStartStop : public CTUIProgramPopup {
    Q_OBJECT
  public:
    using CTUIProgramPopup::CTUIProgramPopup;

  protected:
    void AddButtons() override;
};

}  // namespace zol
