// CTUILoadPopup: a pop-up that may switch and dim its object's load with
// "ON", "OFF" and the level slider (the keypads and the on/off/dim pop-up).
#pragma once

#include <cstdint>
#include <optional>

#include "client/popups/dim_tracker.h"
#include "client/popups/tui_popup.h"

class QVBoxLayout;

namespace zol {

class CLevelSlider;
class CTUIKeyButton;

class CTUILoadPopup : public CTUIPopup {
    Q_OBJECT
  public:
    CTUILoadPopup(PopupContext context, std::int32_t objectId, bool hasLoad, bool isDimmable,
                  QWidget* parent = nullptr);

    bool HasLoad() const { return hasLoad_; }
    bool IsDimmable() const { return isDimmable_; }
    CTUIKeyButton* OnButton() const { return on_; }
    CTUIKeyButton* OffButton() const { return off_; }
    // Null when the layout has no slider.
    CLevelSlider* LevelSlider() const { return slider_; }

    // The person's actions on the load controls.
    void PressOn();
    void PressOff();
    void ChooseLevel(int level);

  protected:
    // Adds "ON", "OFF" and (when dimmable) the slider at the object's level.
    void AddLoadControls(QVBoxLayout& body, const DesignObject& object, bool offBySlider);
    // A push reported the object's level.
    void FollowLevel(const DesignObject& object);

  private:
    bool hasLoad_;
    bool isDimmable_;
    std::optional<DimTracker> tracker_;
    CTUIKeyButton* on_ = nullptr;
    CTUIKeyButton* off_ = nullptr;
    CLevelSlider* slider_ = nullptr;
};

}  // namespace zol
