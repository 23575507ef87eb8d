// CTUIKeypad: what the keypad pop-ups share: rockers and "B" keys laid out
// by the template's layout, key indicators from the object's button states,
// optional load controls, and the keypress commands. The classes of each
// keypad family say how keys are numbered, captioned and lit.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "client/display/popup_template.h"
#include "client/popups/keypad_layout.h"
#include "client/popups/tui_load_popup.h"

namespace zol {

class CTUIKeyButton;

class CTUIKeypad : public CTUILoadPopup {
    Q_OBJECT
  public:
    CTUIKeypad(PopupContext context, std::int32_t objectId, const PopupTemplate& popup,
               QWidget* parent = nullptr);

    // The layout's keys in identifier order (a sixth button last).
    const std::vector<CTUIKeyButton*>& Keys() const { return keys_; }
    // Top and bottom halves of each rocker.
    const std::vector<std::pair<CTUIKeyButton*, CTUIKeyButton*>>& Rockers() const {
        return rockers_;
    }

    void PressKey(int key);
    void PressRocker(int rocker, int half);

  protected:
    // The keypad button number a key sends.
    virtual int ButtonOfKey(int key, const DesignObject& /*object*/) const { return key; }
    // The key's caption; nullopt keeps the layout's "B n".
    virtual std::optional<std::string> KeyCaption(int key, const DesignObject& object) const;
    virtual bool KeyHidden(int /*key*/, const DesignObject& /*object*/) const { return false; }
    // The entry of `buttonStates` that lights the key; -1 for none.
    virtual int IndicatorEntry(int key, const DesignObject& /*object*/) const { return key; }
    virtual bool FollowsChanges() const { return true; }

    bool BuildBody(QVBoxLayout& body, const DesignObject& object) override;
    void OnObjectChanged(const DesignObject& object) override;
    bool RegistersAsOpenPopup() const override { return FollowsChanges(); }

  private:
    void RefreshIndicators(const DesignObject& object);

    PopupTemplate template_;
    KeypadLayout layout_;
    std::vector<CTUIKeyButton*> keys_;
    std::vector<std::pair<CTUIKeyButton*, CTUIKeyButton*>> rockers_;
};

}  // namespace zol
