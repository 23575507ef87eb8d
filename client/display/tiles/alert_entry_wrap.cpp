#include "client/display/tiles/alert_entry_wrap.h"

namespace zol {

namespace {

constexpr int kMaxLines = 2;

struct Word {
    QString text;
    bool lineFeedAfter = false;
};

QList<Word> SplitWords(const QString& text) {
    QList<Word> words;
    QString current;
    for (QChar c : text) {
        if (c == u' ' || c == u'\n') {
            if (!current.isEmpty())
                words.append(Word{current, false});
            current.clear();
            if (c == u'\n' && !words.isEmpty())
                words.back().lineFeedAfter = true;
        } else if (c != u'\r') {
            current.append(c);
        }
    }
    if (!current.isEmpty())
        words.append(Word{current, false});
    return words;
}

}  // namespace

QStringList WrapAlertEntry(const QString& text, int columnWidth,
                           const std::function<int(const QString&)>& measure) {
    const QList<Word> words = SplitWords(text);
    QStringList lines{QString()};
    qsizetype next = 0;
    while (next < words.size()) {
        const Word& word = words[next];
        QString& line = lines.back();
        const QString candidate = line.isEmpty() ? word.text : line + u' ' + word.text;
        if (line.isEmpty() || measure(candidate) <= columnWidth) {
            line = candidate;
            ++next;
            if (word.lineFeedAfter && next < words.size()) {
                if (lines.size() == kMaxLines)
                    break;
                lines.append(QString());
            }
            continue;
        }
        if (lines.size() == kMaxLines)
            break;
        lines.append(QString());
    }
    if (next < words.size())
        lines.back().append(QStringLiteral("..."));
    return lines;
}

}  // namespace zol
