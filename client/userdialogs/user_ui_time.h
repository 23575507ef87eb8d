// CUserUITime (kind 2): a time of day typed on a digit pad with an AM/PM
// key. OK answers "%02d:%02d" in 24-hour form and is refused for an hour
// over 23 or a minute over 59.
#pragma once

#include "client/userdialogs/time_entry.h"
#include "client/userdialogs/user_ui_dialog.h"

namespace zol {

class DigitPad;
class EntryDisplay;

class CUserUITime : public CUserUIDialog {
    Q_OBJECT
  public:
    CUserUITime(const UserDialogRequest& request, Clock& clock, int timerId, int dpi,
                QWidget* parent = nullptr);

    DigitPad* Pad() const { return pad_; }
    std::string Display() const { return time_.Display(); }

  protected:
    std::optional<std::string> ConfirmedAnswer() override;

  private:
    void Show();

    TimeEntry time_;
    EntryDisplay* display_ = nullptr;
    DigitPad* pad_ = nullptr;
};

}  // namespace zol
