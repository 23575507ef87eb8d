#include "client/core/locale_formats.h"

#include <gtest/gtest.h>

namespace zol {
namespace {

TEST(LocaleFormatsTest, SecondsAndTheirSeparatorAreRemovedOnce) {
    EXPECT_EQ(RemoveSeconds(QStringLiteral("HH:mm:ss")), QStringLiteral("HH:mm"));
    EXPECT_EQ(RemoveSeconds(QStringLiteral("h:mm:ss AP")), QStringLiteral("h:mm AP"));
    EXPECT_EQ(RemoveSeconds(QStringLiteral("HH.mm.ss")), QStringLiteral("HH.mm"));
    EXPECT_EQ(RemoveSeconds(QStringLiteral("h:mm AP")), QStringLiteral("h:mm AP"));
    EXPECT_EQ(RemoveSeconds(QStringLiteral("ss:mm:ss")), QStringLiteral(":mm:ss"));
}

TEST(LocaleFormatsTest, FormatsComeFromTheLocaleWithoutTimeZone) {
    LocaleFormats f = LocaleFormats::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(f.monthDay, QStringLiteral("MMMM dd"));
    EXPECT_FALSE(f.longDate.isEmpty());
    EXPECT_TRUE(f.time.contains(QStringLiteral("ss")));
    EXPECT_FALSE(f.time.contains(QLatin1Char('t')));
    EXPECT_FALSE(f.timeWithoutSeconds.contains(QStringLiteral("ss")));
    // A zone in brackets or after a comma goes with its brackets and comma.
    EXPECT_EQ(LocaleFormats::FromLocale(QLocale(QLocale::Basque, QLocale::Spain)).time,
              QStringLiteral("HH:mm:ss"));
    EXPECT_EQ(LocaleFormats::FromLocale(QLocale(QLocale::Albanian, QLocale::Albania)).time,
              QStringLiteral("h:mm:ss AP"));
}

}  // namespace
}  // namespace zol
