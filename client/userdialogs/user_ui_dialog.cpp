#include "client/userdialogs/user_ui_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <chrono>

#include "client/core/interface_picture.h"
#include "client/model/clock.h"
#include "client/userdialogs/user_dialog_style.h"
#include "guibase/dpi_scale.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

QPushButton* MakeImageButton(const char* picture, const QString& fallback, int dpi,
                             QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QStringLiteral("imageButton"));
    const QPixmap image = LoadInterfacePicture(picture);
    const QSize size(ScalePixels(120, dpi), ScalePixels(48, dpi));
    if (image.isNull()) {
        button->setText(fallback);
        button->setObjectName(QString());
        button->setFont(UserDialogFont(16, dpi, true));
    } else {
        button->setIcon(QIcon(image));
        button->setIconSize(size);
    }
    button->setFixedSize(size + QSize(ScalePixels(8, dpi), ScalePixels(8, dpi)));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

CUserUIDialog::CUserUIDialog(const UserDialogRequest& request, Clock& clock, int timerId, int dpi,
                             QWidget* parent)
    : QDialog(parent), request_(request), clock_(clock), timerId_(timerId), dpi_(dpi) {
    setModal(true);
    setWindowTitle(QStringLiteral("ZOL"));
    setStyleSheet(UserDialogStyleSheet(dpi_));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(Px(kDialogMargin), Px(kDialogMargin), Px(kDialogMargin),
                              Px(kDialogMargin));
    outer->setSpacing(Px(16));
    prompt_ = new QLabel(FromWindows1252(request_.prompt), this);
    prompt_->setObjectName(QStringLiteral("prompt"));
    prompt_->setTextFormat(Qt::PlainText);
    prompt_->setWordWrap(true);
    prompt_->setAlignment(Qt::AlignCenter);
    prompt_->setFont(UserDialogFont(18, dpi_, true));
    prompt_->setMinimumWidth(Px(kPromptWidth) * 3 / 4);
    prompt_->setMaximumWidth(Px(kPromptWidth));
    outer->addWidget(prompt_, 0, Qt::AlignHCenter);

    body_ = new QVBoxLayout();
    body_->setSpacing(Px(kKeyGap));
    outer->addLayout(body_);

    auto* buttons = new QHBoxLayout();
    buttons->setSpacing(Px(24));
    okButton_ = MakeImageButton("DialogOK.png", QStringLiteral("OK"), dpi_, this);
    cancelButton_ = MakeImageButton("DialogCancel.png", QStringLiteral("Cancel"), dpi_, this);
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addStretch();
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(okButton_, &QPushButton::clicked, this, &CUserUIDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &CUserUIDialog::reject);
}

CUserUIDialog::~CUserUIDialog() {
    StopTimer();
}

int CUserUIDialog::Px(int pixelsAt96) const {
    return ScalePixels(pixelsAt96, dpi_);
}

void CUserUIDialog::Begin() {
    if (begun_)
        return;
    begun_ = true;
    if (!request_.HasTimeout())
        return;
    timerRunning_ = true;
    clock_.StartOneShot(timerId_, std::chrono::seconds(request_.timeoutSeconds), [this] {
        timerRunning_ = false;
        timedOut_ = true;
        reject();
    });
}

int CUserUIDialog::exec() {
    Begin();
    return QDialog::exec();
}

void CUserUIDialog::StopTimer() {
    if (timerRunning_)
        clock_.Stop(timerId_);
    timerRunning_ = false;
}

void CUserUIDialog::NoteUserInput() {
    if (!timerRunning_)
        return;
    StopTimer();
    if (request_.reportActivity && onActivity_)
        onActivity_();
}

void CUserUIDialog::accept() {
    std::optional<std::string> answer = ConfirmedAnswer();
    if (!answer)
        return;  // the entry is not a valid answer: the dialog stays open
    StopTimer();
    answer_ = std::move(*answer);
    QDialog::accept();
}

void CUserUIDialog::reject() {
    StopTimer();
    answer_.clear();
    QDialog::reject();
}

void CUserUIDialog::Abandon() {
    abandoned_ = true;
    reject();
}

}  // namespace zol
