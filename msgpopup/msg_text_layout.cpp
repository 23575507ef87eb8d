#include "msgpopup/msg_text_layout.h"

#include <QPainter>

namespace zol {

MsgLayout LayOutMessage(const QString& text, const QRect& textRect, const QFontMetrics& metrics,
                        QPainter* painter) {
    MsgLayout layout;
    const int lineHeight = metrics.height() + metrics.leading() + 2;
    const int usableWidth = textRect.width() + 1;
    const int bottom = textRect.top() + textRect.height();
    int y = textRect.top();
    QString line;

    // Places the current line; false when it no longer fits.
    auto finishLine = [&]() {
        if (y + lineHeight > bottom)
            return false;
        if (painter != nullptr) {
            painter->drawText(QPoint(textRect.left(), y + metrics.ascent()), line);
        }
        layout.lines.push_back(line);
        y += lineHeight;
        line.clear();
        return true;
    };

    qsizetype pos = 0;
    const qsizetype size = text.size();
    bool fits = true;
    while (fits) {
        while (pos < size && text[pos] == u' ')
            ++pos;
        if (pos >= size)
            break;
        qsizetype end = pos;
        while (end < size && text[end] != u' ' && text[end] != u'\n')
            ++end;
        const QString word = text.mid(pos, end - pos);
        const bool lineBreak = end < size && text[end] == u'\n';
        pos = lineBreak ? end + 1 : end;

        const QString trial = line + word + u' ';
        // A word wider than the rectangle on an empty line stands alone.
        if (!line.isEmpty() && metrics.horizontalAdvance(trial) > usableWidth) {
            fits = finishLine();
            if (!fits)
                break;
        }
        line += word + u' ';
        if (lineBreak)
            fits = finishLine();
    }
    if (fits && !line.isEmpty())
        finishLine();
    layout.textBottom = y;
    return layout;
}

}  // namespace zol
