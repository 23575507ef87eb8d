#include "client/userdialogs/digit_pad.h"

#include <QGridLayout>
#include <QPushButton>

#include "client/userdialogs/user_dialog_style.h"
#include "guibase/dpi_scale.h"

namespace zol {

DigitPad::DigitPad(const QString& extraLabel, int dpi, QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setAlignment(Qt::AlignHCenter);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(ScalePixels(kKeyGap, dpi));
    for (int digit = 0; digit <= 9; ++digit) {
        QPushButton* key = MakePadKey(QString::number(digit), kKeySize, kKeySize, dpi, this);
        key->setObjectName(QStringLiteral("key%1").arg(digit));
        digitKeys_[static_cast<std::size_t>(digit)] = key;
        if (digit == 0)
            grid->addWidget(key, 3, 1);
        else
            grid->addWidget(key, (digit - 1) / 3, (digit - 1) % 3);
        connect(key, &QPushButton::clicked, this, [this, digit] { emit DigitPressed(digit); });
    }
    clearKey_ = MakePadKey(QStringLiteral("Clear"), kKeySize, kKeySize, dpi, this);
    clearKey_->setObjectName(QStringLiteral("clear"));
    grid->addWidget(clearKey_, 3, 0);
    connect(clearKey_, &QPushButton::clicked, this, &DigitPad::ClearPressed);
    if (!extraLabel.isEmpty()) {
        extraKey_ = MakePadKey(extraLabel, kKeySize, kKeySize, dpi, this);
        extraKey_->setObjectName(QStringLiteral("extra"));
        grid->addWidget(extraKey_, 3, 2);
        connect(extraKey_, &QPushButton::clicked, this, &DigitPad::ExtraPressed);
    }
}

}  // namespace zol
