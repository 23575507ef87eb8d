#include "client/userdialogs/user_ui_time.h"

#include <QVBoxLayout>

#include "client/userdialogs/digit_pad.h"
#include "client/userdialogs/entry_display.h"

namespace zol {

CUserUITime::CUserUITime(const UserDialogRequest& request, Clock& clock, int timerId, int dpi,
                         QWidget* parent)
    : CUserUIDialog(request, clock, timerId, dpi, parent), time_(request.initialValue) {
    display_ = new EntryDisplay(false, dpi, this);
    display_->setAlignment(Qt::AlignCenter);
    pad_ = new DigitPad(QStringLiteral("AM\nPM"), dpi, this);
    Body()->addWidget(display_);
    Body()->addWidget(pad_, 0, Qt::AlignHCenter);
    connect(pad_, &DigitPad::DigitPressed, this, [this](int digit) {
        NoteUserInput();
        time_.TypeDigit(digit);
        Show();
    });
    connect(pad_, &DigitPad::ClearPressed, this, [this] {
        NoteUserInput();
        time_.Clear();
        Show();
    });
    connect(pad_, &DigitPad::ExtraPressed, this, [this] {
        NoteUserInput();
        time_.TogglePm();
        Show();
    });
    Show();
}

void CUserUITime::Show() {
    display_->SetText(time_.Display());
}

std::optional<std::string> CUserUITime::ConfirmedAnswer() {
    const std::optional<TimeOfDay> answer = time_.Answer();
    if (!answer)
        return std::nullopt;
    return TimeEntry::Format(*answer);
}

}  // namespace zol
