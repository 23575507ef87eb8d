#include "guibase/time_format.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace zol {
namespace {

std::string Without(const char* format) {
    return RemoveTimeZone(QString::fromUtf8(format)).toStdString();
}

TEST(TimeFormatTest, TheZoneGoesWithWhatSetsItApart) {
    EXPECT_EQ(Without("HH:mm:ss t"), "HH:mm:ss");
    EXPECT_EQ(Without("h:mm:ss AP, t"), "h:mm:ss AP");
    EXPECT_EQ(Without("HH:mm:ss (t)"), "HH:mm:ss");
    EXPECT_EQ(Without("Bh:mm:ss [t]"), "Bh:mm:ss");
    EXPECT_EQ(Without("t HH:mm:ss"), "HH:mm:ss");
    EXPECT_EQ(Without("HH:mm tt ss"), "HH:mm ss");
    EXPECT_EQ(Without("H:mm:ss 'ч'. t"), "H:mm:ss 'ч'.");
    EXPECT_EQ(Without("h:mm:ss"), "h:mm:ss");
    // Quoted text keeps its letters.
    EXPECT_EQ(Without("H 'at' mm 't' ss t"), "H 'at' mm 't' ss");
    EXPECT_EQ(Without("H 'o''clock t' mm t"), "H 'o''clock t' mm");
}

TEST(TimeFormatTest, EveryLocaleLosesItsZone) {
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        const QDateTime time(QDate(2026, 3, 14), QTime(15, 9, 26));
        const QString zoned = locale.toString(time, locale.timeFormat(QLocale::LongFormat));
        const QString plain = locale.toString(time, LongTimeFormat(locale));
        EXPECT_EQ(plain, plain.trimmed()) << locale.name().toStdString();
        EXPECT_LT(plain.size(), zoned.size()) << locale.name().toStdString();
    }
}

}  // namespace
}  // namespace zol
