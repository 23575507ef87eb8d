#include "client/core/alert_word_wrap.h"

namespace zol {

namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r';
}

}  // namespace

AlertLines WrapAlertMessage(const QString& message, int wrapWidth,
                            const std::function<int(const QString&)>& measure) {
    AlertLines lines;
    int line = 0;
    qsizetype pos = 0;
    const qsizetype size = message.size();
    while (pos < size && IsBlank(message[pos]))
        ++pos;

    // Moves to the next line; false once there is none.
    auto nextLine = [&]() {
        if (line + 1 >= kAlertLineCount) {
            lines.truncated = true;
            return false;
        }
        ++line;
        return true;
    };

    while (pos < size) {
        qsizetype end = pos;
        while (end < size && !IsBlank(message[end]) && message[end] != u'\n')
            ++end;
        QString word = message.mid(pos, end - pos);
        pos = end;
        if (pos < size && IsBlank(message[pos]))
            word += u' ';
        while (pos < size && IsBlank(message[pos]))
            ++pos;

        if (!word.isEmpty()) {
            const int wordWidth = measure(word);
            QString& current = lines.text[static_cast<std::size_t>(line)];
            int& currentWidth = lines.width[static_cast<std::size_t>(line)];
            if (current.isEmpty() || currentWidth + wordWidth < wrapWidth) {
                current += word;
                currentWidth += wordWidth;
            } else {
                if (!nextLine())
                    break;
                lines.text[static_cast<std::size_t>(line)] = word;
                lines.width[static_cast<std::size_t>(line)] = wordWidth;
            }
            lines.lastUsedLine = line;
        }

        while (pos < size && message[pos] == u'\n') {
            ++pos;
            while (pos < size && IsBlank(message[pos]))
                ++pos;
            if (line + 1 >= kAlertLineCount) {
                lines.truncated = pos < size;  // text remains that no line can take
                break;
            }
            ++line;
        }
        if (lines.truncated)
            break;
    }
    return lines;
}

}  // namespace zol
