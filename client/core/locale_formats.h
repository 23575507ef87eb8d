// Date and time formats taken from the user's locale at start.
#pragma once

#include <QLocale>
#include <QString>

namespace zol {

struct LocaleFormats {
    QString shortDate;
    QString longDate;
    QString monthDay = QStringLiteral("MMMM dd");
    QString time;
    QString timeWithoutSeconds;

    static LocaleFormats FromLocale(const QLocale& locale);
};

// The time format with its first separator-and-seconds ("ss" and the
// separator before it) removed; unchanged when it shows no seconds.
QString RemoveSeconds(const QString& timeFormat);

}  // namespace zol
