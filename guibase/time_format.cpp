#include "guibase/time_format.h"

namespace zol {

namespace {

// What sets a zone field apart from the rest: "HH:mm:ss (t)", "h:mm:ss AP, t".
bool IsZoneWrapper(QChar c) {
    return c.isSpace() || c == u',' || c == u'(' || c == u')' || c == u'[' || c == u']';
}

}  // namespace

QString RemoveTimeZone(const QString& format) {
    QString result = format;
    bool quoted = false;
    for (qsizetype i = 0; i < result.size();) {
        if (result[i] == u'\'') {
            quoted = !quoted;  // '' inside or outside quotes toggles twice
            ++i;
            continue;
        }
        if (quoted || result[i] != u't') {
            ++i;
            continue;
        }
        qsizetype begin = i;
        qsizetype end = i;
        while (end < result.size() && result[end] == u't')
            ++end;
        while (begin > 0 && IsZoneWrapper(result[begin - 1]))
            --begin;
        while (end < result.size() && IsZoneWrapper(result[end]))
            ++end;
        // Between two parts of the time one blank still separates them.
        const bool between = begin > 0 && end < result.size();
        result.replace(begin, end - begin, between ? QStringLiteral(" ") : QString());
        i = between ? begin + 1 : begin;
    }
    return result;
}

QString LongTimeFormat(const QLocale& locale) {
    return RemoveTimeZone(locale.timeFormat(QLocale::LongFormat));
}

}  // namespace zol
