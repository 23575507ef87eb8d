// CTUIProgramOnOff: "ON" and "OFF" stop the program and, when that
// succeeded, switch its object.
#pragma once

#include "client/popups/tui_program_popup.h"

namespace zol {

class CTUIProgramOnOff : public CTUIProgramPopup {
    Q_OBJECT
  public:
    using CTUIProgramPopup::CTUIProgramPopup;

  protected:
    void AddButtons() override;
};

}  // namespace zol
