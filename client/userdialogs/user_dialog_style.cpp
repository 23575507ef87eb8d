#include "client/userdialogs/user_dialog_style.h"

#include <QPushButton>

#include "guibase/dpi_scale.h"
#include "guibase/font_conversion.h"

namespace zol {

QString UserDialogStyleSheet(int dpi) {
    return QStringLiteral(
               "QDialog { background: #092A3A; }"
               "QLabel { color: #FFFFFF; background: transparent; }"
               "QLabel#entry, QLineEdit { background: #FFFFFF; color: #092A3A;"
               " border: 2px solid #47B063; border-radius: %1px; padding: 0 %2px; }"
               "QLineEdit { lineedit-password-character: 42; }"
               "QPushButton { background: #1D4558; color: #FFFFFF; border: 1px solid #2E6480;"
               " border-radius: %1px; }"
               "QPushButton:pressed { background: #FFC94A; color: #092A3A; }"
               "QPushButton:disabled { background: #14384A; color: #4F6F80; }"
               "QPushButton#imageButton { background: transparent; border: none; }"
               "QPushButton#imageButton:pressed { background: #1D4558; }"
               "QPushButton#imageButton:disabled { background: transparent; }"
               "QPushButton#choice { text-align: left; padding-left: %3px; }"
               "QPushButton#choice:checked { background: #2E6480; border: 2px solid #FFC94A; }")
        .arg(ScalePixels(10, dpi))
        .arg(ScalePixels(12, dpi))
        .arg(ScalePixels(16, dpi));
}

QFont UserDialogFont(int points, int dpi, bool bold) {
    QFont font(QStringLiteral("Open Sans"));
    font.setPixelSize(PointsToPixels(points, dpi));
    font.setBold(bold);
    return font;
}

QPushButton* MakePadKey(const QString& label, int width, int height, int dpi, QWidget* parent) {
    QString shown = label;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    auto* key = new QPushButton(shown, parent);
    key->setFixedSize(ScalePixels(width, dpi), ScalePixels(height, dpi));
    key->setFont(UserDialogFont(18, dpi, true));
    key->setFocusPolicy(Qt::NoFocus);
    key->setAutoDefault(false);
    return key;
}

}  // namespace zol
