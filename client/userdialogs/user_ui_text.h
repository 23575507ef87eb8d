// CUserUIText (kind 1): a line of text typed on the keyboard, or on the
// on-screen keyboard the request may open with it. OK answers the text.
#pragma once

#include "client/userdialogs/user_ui_dialog.h"

class QLineEdit;

namespace zol {

class CUserUIText : public CUserUIDialog {
    Q_OBJECT
  public:
    CUserUIText(const UserDialogRequest& request, Clock& clock, int timerId, int dpi,
                QWidget* parent = nullptr);

    QLineEdit* Entry() const { return entry_; }

  protected:
    std::optional<std::string> ConfirmedAnswer() override;

  private:
    QLineEdit* entry_ = nullptr;
};

}  // namespace zol
