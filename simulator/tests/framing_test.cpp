// The server's side of framing and greeting: frames cut from any split of
// the byte stream, unframeable streams detected, greetings answered.
#include <gtest/gtest.h>

#include "serverlink/field_list.h"
#include "simulator/frame_reader.h"
#include "simulator/greeting.h"

namespace zol {
namespace {

std::vector<std::string> ReadAll(FrameReader& reader) {
    std::vector<std::string> frames;
    std::string frame;
    while (reader.Next(frame) == FrameReader::Status::kFrame) {
        frames.push_back(frame);
    }
    return frames;
}

TEST(FrameReader, CutsGreetingAndFieldListsAtEverySplit) {
    const std::string first = FieldList{"ZOLApp", "TimeStamp"}.Message();
    const std::string second = FieldList{"ZOLApp", "Ping", "5"}.Message();
    const std::string stream = "ZOL000F016000017" + first + second;
    for (std::size_t split = 0; split <= stream.size(); ++split) {
        FrameReader reader;
        reader.Append(stream.substr(0, split));
        std::vector<std::string> frames = ReadAll(reader);
        reader.Append(stream.substr(split));
        for (std::string& frame : ReadAll(reader)) {
            frames.push_back(frame);
        }
        ASSERT_EQ(frames.size(), 3u) << "split at " << split;
        EXPECT_EQ(frames[0], "ZOL000F016000017");
        EXPECT_EQ(frames[1], first);
        EXPECT_EQ(frames[2], second);
        EXPECT_EQ(reader.Buffered(), 0u);
    }
}

TEST(FrameReader, RefusesStreamsThatCannotBeFramed) {
    const std::string badEntries[] = {"00x9    ZOLAppPing", "001    abc", "0003    x"};
    for (const std::string& bad : badEntries) {
        FrameReader reader;
        reader.Append(bad);
        std::string frame;
        EXPECT_EQ(reader.Next(frame), FrameReader::Status::kMalformed) << bad;
    }
    FrameReader endless;
    endless.Append(std::string(kMaxFieldListLength - 1, 'x'));
    std::string frame;
    EXPECT_EQ(endless.Next(frame), FrameReader::Status::kNeedMore);
    endless.Append("x");
    EXPECT_EQ(endless.Next(frame), FrameReader::Status::kMalformed);
}

TEST(Greeting, AcceptsStepsDownAndRefuses) {
    SimConfig config;
    config.acceptedLetters = "E";
    config.password = "pw";
    config.versionMajor = 18;
    config.versionMinor = 2;
    config.versionBuild = 11;
    SessionState session;
    session.clientNumber = 3;

    GreetingAnswer answer = AnswerClientGreeting("ZOL000F016000017", config, session);
    EXPECT_EQ(answer.reply, "ZOL2310018002011");
    EXPECT_FALSE(session.greeted);

    answer = AnswerClientGreeting("ZOL000E016000017", config, session);
    EXPECT_TRUE(answer.accepted);
    EXPECT_EQ(answer.reply, "ZOL0310018002011");
    EXPECT_TRUE(session.greeted);
    EXPECT_FALSE(session.authorised) << "a password is still owed";
    EXPECT_EQ(session.protocolLevel, 14);
    EXPECT_EQ(session.clientVersion[2], 17);

    answer = AnswerClientGreeting("ZOL000Q016000017", config, session);
    EXPECT_TRUE(answer.malformed);
    EXPECT_EQ(answer.reply[3], '1');
    EXPECT_TRUE(AnswerClientGreeting("ZOLxxxxxxxxxxxxx", config, session).malformed);
}

}  // namespace
}  // namespace zol
