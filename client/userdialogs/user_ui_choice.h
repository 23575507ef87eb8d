// CUserUIChoice (kind 3): up to four choices, one selected at a time. The
// number of choices is the position of the last non-empty text, so empty
// texts before it still show. OK answers "%d" of the selected index.
#pragma once

#include <QIcon>

#include <array>

#include "client/userdialogs/user_ui_dialog.h"

class QPushButton;

namespace zol {

class CUserUIChoice : public CUserUIDialog {
    Q_OBJECT
  public:
    CUserUIChoice(const UserDialogRequest& request, Clock& clock, int timerId, int dpi,
                  QWidget* parent = nullptr);

    int ChoiceCount() const { return count_; }
    int Selected() const { return selected_; }
    QPushButton* ChoiceButton(int index) const { return buttons_[static_cast<std::size_t>(index)]; }

  protected:
    std::optional<std::string> ConfirmedAnswer() override;

  private:
    void Select(int index);

    QIcon selectedIcon_;
    QIcon unselectedIcon_;
    std::array<QPushButton*, 4> buttons_{};
    int count_ = 0;
    int selected_ = 0;
};

}  // namespace zol
