#include "simulator/relay_message_reader.h"

#include <gtest/gtest.h>

#include "serverlink/relay_crypto.h"

namespace zol {
namespace {

TEST(RelayMessageReaderTest, SplitsMessagesThatArriveTogetherOrInPieces) {
    const std::string one = R"({"type":"client","name":"a-rather-long-credential-text"})";
    const std::string two = R"({"ping":7})";
    const std::string three = R"({"ping":123456789})";
    const std::string stream =
        EncryptAndEncode(one) + EncryptAndEncode(two) + EncryptAndEncode(three);

    RelayMessageReader reader;
    reader.Append(std::string_view(stream).substr(0, 30));
    EXPECT_FALSE(reader.Next());
    reader.Append(std::string_view(stream).substr(30));
    EXPECT_EQ(reader.Next(), one);
    EXPECT_EQ(reader.Next(), two);
    EXPECT_EQ(reader.Next(), three);
    EXPECT_FALSE(reader.Next());
    EXPECT_EQ(reader.Pending(), 0u);
}

TEST(RelayMessageReaderTest, GarbageNeverGrowsWithoutBound) {
    RelayMessageReader reader;
    for (int i = 0; i < 100; ++i) {
        reader.Append(std::string(1000, '#'));
        EXPECT_FALSE(reader.Next());
    }
    EXPECT_LE(reader.Pending(), RelayMessageReader::kMaxPending);
}

}  // namespace
}  // namespace zol
