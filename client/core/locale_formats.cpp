#include "client/core/locale_formats.h"

#include "guibase/time_format.h"

namespace zol {

LocaleFormats LocaleFormats::FromLocale(const QLocale& locale) {
    LocaleFormats f;
    f.shortDate = locale.dateFormat(QLocale::ShortFormat);
    f.longDate = locale.dateFormat(QLocale::LongFormat);
    f.time = LongTimeFormat(locale);
    f.timeWithoutSeconds = RemoveSeconds(f.time);
    return f;
}

QString RemoveSeconds(const QString& timeFormat) {
    qsizetype seconds = timeFormat.indexOf(QStringLiteral("ss"));
    if (seconds < 0)
        return timeFormat;
    qsizetype start = seconds;
    // The separator is whatever stands between the minutes and the seconds.
    while (start > 0 && !timeFormat[start - 1].isLetter() && !timeFormat[start - 1].isSpace()) {
        --start;
    }
    QString result = timeFormat;
    result.remove(start, seconds + 2 - start);
    return result;
}

}  // namespace zol
