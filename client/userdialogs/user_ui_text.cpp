#include "client/userdialogs/user_ui_text.h"

#include <QLineEdit>
#include <QVBoxLayout>

#include "client/userdialogs/user_dialog_style.h"
#include "guibase/dpi_scale.h"
#include "guibase/windows1252_text.h"

namespace zol {

CUserUIText::CUserUIText(const UserDialogRequest& request, Clock& clock, int timerId, int dpi,
                         QWidget* parent)
    : CUserUIDialog(request, clock, timerId, dpi, parent) {
    entry_ = new QLineEdit(this);
    entry_->setObjectName(QStringLiteral("textEntry"));
    entry_->setFont(UserDialogFont(20, dpi));
    entry_->setFixedHeight(ScalePixels(60, dpi));
    entry_->setMinimumWidth(ScalePixels(kPromptWidth, dpi));
    // One byte per character on the wire: the cap keeps the report in one message.
    entry_->setMaxLength(static_cast<int>(kMaxAnswerBytes));
    if (request.masked)
        entry_->setEchoMode(QLineEdit::Password);
    Body()->addWidget(entry_);
    connect(entry_, &QLineEdit::textChanged, this, [this] { NoteUserInput(); });
    connect(entry_, &QLineEdit::returnPressed, this, &CUserUIText::accept);
    entry_->setFocus(Qt::OtherFocusReason);
}

std::optional<std::string> CUserUIText::ConfirmedAnswer() {
    std::string text = ToWindows1252(entry_->text());
    if (text.size() > kMaxAnswerBytes)
        text.resize(kMaxAnswerBytes);
    return text;
}

}  // namespace zol
