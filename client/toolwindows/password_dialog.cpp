#include "client/toolwindows/password_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "guibase/windows1252_text.h"

namespace zol {

CPassword::CPassword(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("password"));
    setWindowTitle(QStringLiteral("Enter Password"));
    QFont dialogFont(QStringLiteral("Microsoft Sans Serif"));
    dialogFont.setPointSize(8);
    setFont(dialogFont);

    auto* layout = new QVBoxLayout(this);
    field_ = new QLineEdit(this);
    field_->setEchoMode(QLineEdit::Password);
    field_->setMinimumWidth(fontMetrics().averageCharWidth() * 36);
    mask_ = new QCheckBox(QStringLiteral("Mask password"), this);
    mask_->setChecked(true);
    connect(mask_, &QCheckBox::toggled, this, [this](bool masked) {
        field_->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(field_);
    layout->addWidget(mask_);
    layout->addWidget(buttons);
}

bool CPassword::Ask(std::string& password) {
    field_->clear();
    field_->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    password = ToWindows1252(field_->text());
    return true;
}

}  // namespace zol
