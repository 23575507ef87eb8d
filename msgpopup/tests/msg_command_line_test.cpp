#include "msgpopup/msg_command_line.h"

#include <gtest/gtest.h>

#include <limits>

namespace zol {
namespace {

TEST(MsgCommandLineTest, NumbersColoursAndTextWithLineBreaks) {
    MsgCommand c =
        ParseMsgCommandLine(JoinMsgArguments({QStringLiteral("30,16777215,0,Hello\\nWorld")}));
    EXPECT_EQ(c.closeSeconds, 30u);
    EXPECT_EQ(c.backgroundColor, 0xFFFFFFu);
    EXPECT_EQ(c.textColor, 0u);
    EXPECT_EQ(c.text, QStringLiteral("Hello\nWorld"));
}

TEST(MsgCommandLineTest, WordsAreJoinedWithBlanksAndCommasInTheTextStay) {
    MsgCommand c = ParseMsgCommandLine(
        JoinMsgArguments({QStringLiteral("5,255,65280,Door"), QStringLiteral("open,"),
                          QStringLiteral("garage\\n\\nnow")}));
    EXPECT_EQ(c.closeSeconds, 5u);
    EXPECT_EQ(c.backgroundColor, 255u);
    EXPECT_EQ(c.textColor, 65280u);
    EXPECT_EQ(c.text, QStringLiteral("Door open, garage\n\nnow"));
    // Only backslash + n is an escape.
    EXPECT_EQ(ParseMsgCommandLine(QStringLiteral("1,2,3,a\\tb\\\\n")).text,
              QStringLiteral("a\\tb\\\n"));
}

TEST(MsgCommandLineTest, MissingCommasLeaveTheRestZeroAndTheTextEmpty) {
    MsgCommand none = ParseMsgCommandLine(QString());
    EXPECT_EQ(none.closeSeconds, 0u);
    EXPECT_TRUE(none.text.isEmpty());
    MsgCommand two = ParseMsgCommandLine(QStringLiteral("10,255"));
    EXPECT_EQ(two.closeSeconds, 10u);
    EXPECT_EQ(two.backgroundColor, 255u);
    EXPECT_EQ(two.textColor, 0u);
    EXPECT_TRUE(two.text.isEmpty());
    MsgCommand empty = ParseMsgCommandLine(QStringLiteral("10,255,0,"));
    EXPECT_TRUE(empty.text.isEmpty());
}

TEST(MsgCommandLineTest, EveryCharacterBeforeACommaCountsAsADigit) {
    // 'A' is 17 above '0': "1A" reads as 1 * 10 + 17.
    EXPECT_EQ(ParseMsgCommandLine(QStringLiteral("1A,0,0,x")).closeSeconds, 27u);
    // Huge numbers wrap at 32 bits instead of failing.
    EXPECT_EQ(ParseMsgCommandLine(QStringLiteral("4294967296,0,0,x")).closeSeconds, 0u);
    EXPECT_EQ(ParseMsgCommandLine(QStringLiteral("4294967297,0,0,x")).closeSeconds, 1u);
    // A text without any comma is read as a (meaningless) number.
    MsgCommand words = ParseMsgCommandLine(QStringLiteral("Hello"));
    EXPECT_TRUE(words.text.isEmpty());
}

TEST(MsgCommandLineTest, CloseDelayIsCappedNotWrapped) {
    EXPECT_EQ(CloseDelayMilliseconds(0), 0);
    EXPECT_EQ(CloseDelayMilliseconds(30), 30000);
    EXPECT_EQ(CloseDelayMilliseconds(4294967u), 2147483647);
    EXPECT_EQ(CloseDelayMilliseconds(std::numeric_limits<std::uint32_t>::max()), 2147483647);
}

}  // namespace
}  // namespace zol
