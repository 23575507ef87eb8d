#include "client/userdialogs/user_ui_numeric.h"

#include <QVBoxLayout>

#include "client/userdialogs/digit_pad.h"
#include "client/userdialogs/entry_display.h"

namespace zol {

CUserUINumeric::CUserUINumeric(const UserDialogRequest& request, Clock& clock, int timerId, int dpi,
                               QWidget* parent)
    : CUserUIDialog(request, clock, timerId, dpi, parent) {
    entry_ = new EntryDisplay(request.masked, dpi, this);
    pad_ = new DigitPad(QString(), dpi, this);
    Body()->addWidget(entry_);
    Body()->addWidget(pad_, 0, Qt::AlignHCenter);
    connect(pad_, &DigitPad::DigitPressed, this, [this](int digit) {
        NoteUserInput();
        entry_->Append(std::string(1, static_cast<char>('0' + digit)));
    });
    connect(pad_, &DigitPad::ClearPressed, this, [this] {
        NoteUserInput();
        entry_->SetText({});
    });
}

const std::string& CUserUINumeric::Digits() const {
    return entry_->Text();
}

std::optional<std::string> CUserUINumeric::ConfirmedAnswer() {
    return std::to_string(ReadDecimal(entry_->Text()));
}

}  // namespace zol
