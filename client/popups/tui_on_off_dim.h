// CTUIOnOffDim: "ON" and "OFF" for a switch, and the level slider for a
// dimmer. Its first slider move dims to the chosen level. It registers for
// object changes but does not follow them.
#pragma once

#include "client/popups/tui_load_popup.h"

namespace zol {

class CTUIOnOffDim : public CTUILoadPopup {
  public:
    CTUIOnOffDim(PopupContext context, std::int32_t objectId, bool withSlider,
                 QWidget* parent = nullptr)
        : CTUILoadPopup(std::move(context), objectId, true, withSlider, parent) {}

  protected:
    bool BuildBody(QVBoxLayout& body, const DesignObject& object) override {
        AddLoadControls(body, object, true);
        return true;
    }
};

}  // namespace zol
