#include "serverlink/greeting_frame.h"

#include <gtest/gtest.h>

namespace zol {
namespace {

TEST(GreetingFrame, EachProgramOrdersItsVersionNumbersItsOwnWay) {
    EXPECT_EQ(GreetingNumbersFor(ClientProgram::Gui, {16, 0, 0, 17}), (GreetingNumbers{16, 0, 17}));
    EXPECT_EQ(GreetingNumbersFor(ClientProgram::Gui, {16, 1, 1, 2}),
              (GreetingNumbers{16, 1, 65538}));
    EXPECT_EQ(GreetingNumbersFor(ClientProgram::CommandLine, {1, 0, 0, 2}),
              (GreetingNumbers{2, 0, 1}));
    EXPECT_EQ(FormatGreeting('F', OwnGreetingNumbers(ClientProgram::Gui)), "ZOL000F016000017");
    EXPECT_EQ(FormatGreeting('E', OwnGreetingNumbers(ClientProgram::CommandLine)),
              "ZOL000E002000001");
}

TEST(GreetingFrame, ReadsTheServersReplyWithoutValidatingDigits) {
    GreetingReply reply = ParseGreetingReply("ZOL261x013001042");
    EXPECT_EQ(reply.status, 2);
    EXPECT_EQ(reply.clientNumber, 6);
    EXPECT_TRUE(reply.passwordDemanded);
    EXPECT_EQ(reply.serverMajor, 13);
    EXPECT_EQ(reply.serverMinor, 1);
    EXPECT_EQ(reply.serverBuild, 42);
    EXPECT_FALSE(ParseGreetingReply("ZOL030x014002007").passwordDemanded);
    EXPECT_EQ(ParseGreetingReply("ZOL0:0x01A002007").serverMajor, 27);  // '1'*10 + 'A'-'0'
}

TEST(GreetingFrame, OnlySixteenCharactersBeginningWithZolAreAReply) {
    EXPECT_TRUE(IsGreetingReply("ZOL030x014002007"));
    EXPECT_FALSE(IsGreetingReply("ZOL030x01400200"));  // 15 characters
    EXPECT_FALSE(IsGreetingReply("ZOL030x0140020070"));
    EXPECT_FALSE(IsGreetingReply("0016    00000000"));
}

TEST(GreetingFrame, LettersStepDownFromFToD) {
    EXPECT_EQ(NextLowerGreetingLetter('F'), 'E');
    EXPECT_EQ(NextLowerGreetingLetter('E'), 'D');
    EXPECT_EQ(NextLowerGreetingLetter('D'), 0);
}

}  // namespace
}  // namespace zol
