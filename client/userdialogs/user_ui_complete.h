// CUserUIComplete (kind 4): a text composed from up to sixteen keys the
// server labels: a column of four at the left (they append their text as
// sent) and a pad of twelve (they append their text up to the first "|";
// on their labels "|" starts a new line). OK answers the entry.
#pragma once

#include <array>

#include "client/userdialogs/user_ui_dialog.h"

class QPushButton;

namespace zol {

class EntryDisplay;

class CUserUIComplete : public CUserUIDialog {
    Q_OBJECT
  public:
    CUserUIComplete(const UserDialogRequest& request, Clock& clock, int timerId, int dpi,
                    QWidget* parent = nullptr);

    // Keys 0 to 3 the left column, 4 to 15 the pad in reading order.
    QPushButton* Key(int index) const { return keys_[static_cast<std::size_t>(index)]; }
    QPushButton* ClearKey() const { return clearKey_; }
    const std::string& Entry() const;

  protected:
    std::optional<std::string> ConfirmedAnswer() override;

  private:
    void AddKey(std::size_t index, const std::string& label, std::string appends, int width);

    EntryDisplay* entry_ = nullptr;
    std::array<QPushButton*, 16> keys_{};
    QPushButton* clearKey_ = nullptr;
};

}  // namespace zol
