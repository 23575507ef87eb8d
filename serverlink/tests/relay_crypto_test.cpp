#include "serverlink/relay_crypto.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "serverlink/relay_base64.h"

namespace zol {
namespace {

namespace fs = std::filesystem;

TEST(RelayBase64Test, EncodesWithPaddingAndRoundTripsEveryByte) {
    EXPECT_EQ(Base64Encode(""), "");
    EXPECT_EQ(Base64Encode("f"), "Zg==");
    EXPECT_EQ(Base64Encode("fo"), "Zm8=");
    EXPECT_EQ(Base64Encode("foo"), "Zm9v");
    EXPECT_EQ(Base64Encode("foobar"), "Zm9vYmFy");
    EXPECT_EQ(Base64Encode(std::string("\xFB\xFF\xBF", 3)), "+/+/");

    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    for (std::size_t length = 0; length <= all.size(); length += 37) {
        std::string piece = all.substr(0, length);
        EXPECT_EQ(Base64Decode(Base64Encode(piece)), piece) << length;
    }
}

TEST(RelayBase64Test, DecodingStopsAtPaddingOrForeignCharacter) {
    EXPECT_EQ(Base64Decode("Zm8="), "fo");
    EXPECT_EQ(Base64Decode("Zm8=Zm9v"), "fo");       // nothing after the first '='
    EXPECT_EQ(Base64Decode("Zm9v\r\nYmFy"), "foo");  // CR ends the text
    EXPECT_EQ(Base64Decode("Zm9vY"), "foo");         // six loose bits make no byte
    EXPECT_EQ(Base64Decode("!Zm9v"), "");
    EXPECT_EQ(Base64Decode(""), "");
}

TEST(RelayCryptoTest, FixedKeyAndIvGiveTheSameTextEveryTime) {
    const std::string json = R"({"type":"client","name":"token-1"})";
    const std::string first = EncryptAndEncode(json);
    EXPECT_EQ(EncryptAndEncode(json), first);
    EXPECT_NE(EncryptAndEncode(R"({"type":"client","name":"token-2"})"), first);
    // 35 bytes pad to three blocks: 48 bytes, 64 base64 characters.
    EXPECT_EQ(first.size(), 64u);
    EXPECT_EQ(DecodeAndDecrypt(first), json);
    // A whole block of padding is added to a block-sized text.
    EXPECT_EQ(RelayEncrypt(std::string(16, 'a')).size(), 32u);
}

TEST(RelayCryptoTest, PlaintextEndsAtItsFirstZeroByte) {
    const std::string withZero("{\"pong\":1}\0trailing", 19);
    EXPECT_EQ(DecodeAndDecrypt(EncryptAndEncode(withZero)), "{\"pong\":1}");
}

TEST(RelayCryptoTest, UndecryptableLinesGiveNoPlaintext) {
    EXPECT_FALSE(DecodeAndDecrypt("").has_value());
    EXPECT_FALSE(DecodeAndDecrypt("not base64 at all").has_value());
    EXPECT_FALSE(DecodeAndDecrypt(Base64Encode("fifteen bytes!!")).has_value());
    // A whole block whose padding does not check out (key and IV are fixed,
    // so this block decrypts the same way every run).
    std::string block = RelayEncrypt("x");
    block[15] = static_cast<char>(block[15] ^ 0x5A);
    EXPECT_FALSE(RelayDecrypt(block).has_value());
    EXPECT_FALSE(RelayDecrypt(std::string(17, 'a')).has_value());
}

// The relay service is not ours: check our cipher against an independent
// implementation, the openssl command.
class OpensslCrossCheck : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::system("openssl version >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "openssl command not installed";
        }
        dir_ = fs::temp_directory_path() / ("zol-relay-openssl-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        if (!dir_.empty())
            fs::remove_all(dir_);
    }

    static std::string Hex(std::string_view bytes) {
        std::string hex;
        char pair[3];
        for (unsigned char c : bytes) {
            std::snprintf(pair, sizeof pair, "%02x", c);
            hex += pair;
        }
        return hex;
    }

    std::string RunOpenssl(const std::string& input, bool decrypt) {
        const fs::path in = dir_ / "in";
        const fs::path out = dir_ / "out";
        std::ofstream(in, std::ios::binary) << input;
        const std::string command = "openssl enc -aes-256-cbc " +
                                    std::string(decrypt ? "-d " : "") + "-K " + Hex(kRelayKey) +
                                    " -iv " + Hex(kRelayIv) + " -base64 -A -in " + in.string() +
                                    " -out " + out.string();
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        std::ifstream result(out, std::ios::binary);
        return {std::istreambuf_iterator<char>(result), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

TEST_F(OpensslCrossCheck, OurEncryptionEqualsOpensslAndWeReadItsOutput) {
    for (const std::string& json :
         {std::string(R"({"type":"client","name":"abc"})"), std::string(R"({"ping":16807})"),
          std::string(16, 'q'), std::string(R"({"type":"client","uuid":"client-"})")}) {
        std::string theirs = RunOpenssl(json, false);
        while (!theirs.empty() && (theirs.back() == '\n' || theirs.back() == '\r')) {
            theirs.pop_back();
        }
        EXPECT_EQ(EncryptAndEncode(json), theirs) << json;
        EXPECT_EQ(DecodeAndDecrypt(theirs), json);
        EXPECT_EQ(RunOpenssl(EncryptAndEncode(json), true), json);
    }
}

}  // namespace
}  // namespace zol
