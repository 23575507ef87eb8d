#include "guibase/windows1252_text.h"

#include <gtest/gtest.h>

namespace zol {
namespace {

TEST(Windows1252Text, EAcuteEuroAndCharactersItLacks) {
    EXPECT_EQ(FromWindows1252("caf\xE9 5\x80"), QStringLiteral(u"café 5€"));
    EXPECT_EQ(ToWindows1252(QStringLiteral(u"café 5€")), "caf\xE9 5\x80");
    EXPECT_EQ(ToWindows1252(QStringLiteral(u"a✓b")), "a?b");
    // A character beyond the basic plane is two UTF-16 units but one '?'.
    EXPECT_EQ(ToWindows1252(QStringLiteral(u"a\U0001F600b")), "a?b");
    // A lone surrogate is one '?' too, with nothing after it lost.
    EXPECT_EQ(ToWindows1252(QString(QChar(0xD800)) + QStringLiteral(u"x")), "?x");
    EXPECT_EQ(ToWindows1252(QString()), "");
}

TEST(Windows1252Text, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const QString text = FromWindows1252(all);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(ToWindows1252(text), all);
    EXPECT_EQ(text.at(0x9F), QChar(0x0178)) << "Ÿ";
    EXPECT_EQ(text.at(0x81), QChar(0x0081)) << "an unassigned byte stays its C1 control";
}

TEST(Windows1252Text, PathsUseTheFileSystemsEncoding) {
    // The file system's names are UTF-8 here (the tests run under a UTF-8 locale).
    const std::filesystem::path path = PathFromWindows1252("/tmp/caf\xE9");
    EXPECT_EQ(path.native(), "/tmp/caf\xC3\xA9");
    EXPECT_EQ(Windows1252FromPath(path), "/tmp/caf\xE9");
    EXPECT_EQ(Windows1252FromPath(std::filesystem::path("/tmp/\xE2\x9C\x93")), "/tmp/?");
}

}  // namespace
}  // namespace zol
