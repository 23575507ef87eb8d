// CTUIProgramPopup: what the program pop-ups share: a row of command
// buttons and whether the program ran when the pop-up opened (its level
// was not 0).
#pragma once

#include <functional>
#include <optional>

#include "client/popups/tui_popup.h"

class QHBoxLayout;

namespace zol {

class CTUIKeyButton;
class DeviceCommands;

class CTUIProgramPopup : public CTUIPopup {
    Q_OBJECT
  public:
    using CTUIPopup::CTUIPopup;

    bool RunningAtOpen() const { return runningAtOpen_; }
    // The button captioned `caption`, or null.
    CTUIKeyButton* Button(const QString& caption) const;

  protected:
    bool BuildBody(QVBoxLayout& body, const DesignObject& object) override;
    // Adds the pop-up's buttons with AddButton.
    virtual void AddButtons() = 0;
    CTUIKeyButton* AddButton(const QString& caption, std::function<void()> action);

    // 0 when the server took the command; otherwise its code, or -1 when
    // nothing was sent (the object went, or the pop-up closed meanwhile).
    int StartProgram();
    int StopProgram();
    int TurnOn();
    int TurnOff();

  private:
    std::optional<int> Run(int (DeviceCommands::*command)(const DesignObject&));

    bool runningAtOpen_ = false;
    QHBoxLayout* row_ = nullptr;
};

}  // namespace zol
