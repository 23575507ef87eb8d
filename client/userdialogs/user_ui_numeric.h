// CUserUINumeric (kind 0): a number typed on a digit pad. OK answers "%d"
// of the entry read as a decimal number (empty gives 0; long numbers
// saturate). The unlock code check uses it too, reading the digits as typed.
#pragma once

#include "client/userdialogs/user_ui_dialog.h"

namespace zol {

class DigitPad;
class EntryDisplay;

class CUserUINumeric : public CUserUIDialog {
    Q_OBJECT
  public:
    CUserUINumeric(const UserDialogRequest& request, Clock& clock, int timerId, int dpi,
                   QWidget* parent = nullptr);

    // The digits as typed ("0123" stays "0123").
    const std::string& Digits() const;
    DigitPad* Pad() const { return pad_; }

  protected:
    std::optional<std::string> ConfirmedAnswer() override;

  private:
    EntryDisplay* entry_ = nullptr;
    DigitPad* pad_ = nullptr;
};

}  // namespace zol
