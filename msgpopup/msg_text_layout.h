// The message pop-up's text layout: one routine that both measures (to size
// the window once at start) and draws (on every paint).
#pragma once

#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <QStringList>

class QPainter;

namespace zol {

struct MsgLayout {
    QStringList lines;   // the lines that fit, in order (each ends in a blank)
    int textBottom = 0;  // y just under the last line placed
};

// Lays `text` out in `textRect`: words (runs up to a blank or line break)
// are added with one blank each while the line stays within the rectangle's
// width + 1; a full line, or one ended by a line break, is placed when it
// fits above the rectangle's bottom, otherwise layout stops. Line height is
// the font height + external leading + 2. With a painter each placed line is
// drawn (transparently, with the painter's pen and font).
MsgLayout LayOutMessage(const QString& text, const QRect& textRect, const QFontMetrics& metrics,
                        QPainter* painter);

}  // namespace zol
