// CSettingsStatusBar: the status-bar page of the client options. The
// status bar's font and text colour, what its three text slots show on the
// home display and on the others (with their user texts), the date-time
// format, and how often user texts with placeholders are refreshed.
#pragma once

#include <array>
#include <cstdint>

#include "client/model/log_font.h"
#include "client/toolwindows/options_page.h"

class QComboBox;
class QFontComboBox;
class QPushButton;

namespace zol {

class CSettingsStatusBar : public COptionsPage {
    Q_OBJECT
  public:
    CSettingsStatusBar(int dpi, QWidget* parent);

    void Load(const ClientSettings& settings) override;
    void Save(ClientSettings& settings) const override;

    CheckedNumberEdit* UpdateTimeField() const { return updateTime_; }
    QComboBox* SlotOption(int set, int slot) const;
    QLineEdit* SlotText(int set, int slot) const;
    // The chosen colour (0x00BBGGRR); tests set it without the colour dialog.
    void SetTextColor(std::uint32_t colorRef);

  private:
    struct Slot {
        QComboBox* option = nullptr;
        QLineEdit* userText = nullptr;
    };
    void AddSlots(QGroupBox* group, std::array<Slot, 3>& slotRow);
    void ChooseColor();

    QFontComboBox* face_ = nullptr;
    CheckedNumberEdit* height_ = nullptr;
    QCheckBox* bold_ = nullptr;
    QPushButton* color_ = nullptr;
    std::uint32_t textColor_ = 0;
    std::array<std::array<Slot, 3>, 2> slots_{};
    QLineEdit* dateTimeFormat_ = nullptr;
    CheckedNumberEdit* updateTime_ = nullptr;
    LogFont loadedFont_;  // fields the page does not show are kept as they were
    // The face list names a substitute for a face it lacks; the stored face
    // changes only when the person picks one.
    bool faceChosen_ = false;
};

}  // namespace zol
