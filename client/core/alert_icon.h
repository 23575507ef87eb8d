// The alert dialog's kind icons, drawn as vectors so they stay sharp at any
// dpi: a red stop octagon, a blue question mark, an amber exclamation
// triangle and a teal information disc.
#pragma once

#include <QColor>
#include <QPixmap>

namespace zol {

enum class AlertIcon;

QColor AlertAccentColor(AlertIcon icon);
QPixmap DrawAlertIcon(AlertIcon icon, int size, qreal devicePixelRatio = 1.0);

}  // namespace zol
