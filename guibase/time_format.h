// The locale's time format as the Windows locale gives it: Qt's long time
// format ends in the time zone ("t"), which Windows time formats never show.
#pragma once

#include <QLocale>
#include <QString>

namespace zol {

// `format` without its time zone fields ("t" runs outside quoted text), each
// taken together with the blanks, commas and brackets that set it apart.
QString RemoveTimeZone(const QString& format);

// The locale's long time format without the time zone.
QString LongTimeFormat(const QLocale& locale);

}  // namespace zol
