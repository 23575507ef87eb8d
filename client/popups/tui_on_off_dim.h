// CTUIOnOffDim: "ON" and "OFF" for a switch, and the level slider for a
// dimmer. Its first slider move dims to the chosen level. A change of its
// object moves the slider (unless a finger holds it) and is the level the
// next step counts from.
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
    void OnObjectChanged(const DesignObject& object) override { FollowLevel(object); }
};

}  // namespace zol
