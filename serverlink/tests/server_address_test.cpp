#include "serverlink/server_address.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace zol {
namespace {

TEST(ParseDottedAddress, FourDecimalPartsEachModulo256FirstPartHigh) {
    EXPECT_EQ(ParseDottedAddress("192.168.1.10"), 0xC0A8010Au);
    EXPECT_EQ(ParseDottedAddress("256.257.0.1000"), 0x000100E8u);
    EXPECT_EQ(ParseDottedAddress("99999999999999999999.0.0.1"), 0xFF000001u)
        << "10^20 - 1 is 255 modulo 256";
    for (const char* text : {"192.168.1", "192.168.1.x", "a.b.c.d", "1..2.3", "", "1.2.3.4.",
                             " 1.2.3.4", "1.2.3.-4", "+1.2.3.4"}) {
        EXPECT_FALSE(ParseDottedAddress(text).has_value()) << text;
    }
    // The fourth part is all the rest, so a fifth dotted part makes it non-decimal.
    EXPECT_FALSE(ParseDottedAddress("1.2.3.4.5").has_value());
}

TEST(ResolveServerAddress, LooksUpNamesLocallyAndRefusesImpossibleOnes) {
    EXPECT_EQ(ResolveServerAddress("localhost"), 0x7F000001u);
    EXPECT_EQ(ResolveServerAddress("127.0.0.9"), 0x7F000009u);
    EXPECT_EQ(LookupHostIpv4("127.0.0.9"), 0x7F000009u) << "a dotted name resolves to itself";
    EXPECT_FALSE(ResolveServerAddress(std::string(100000, 'a')).has_value());
    EXPECT_FALSE(ResolveServerAddress(std::string(64, 'a') + ".invalid").has_value());
    EXPECT_FALSE(ResolveServerAddress("bad name").has_value());
    EXPECT_FALSE(ResolveServerAddress("\xe9t\xe9").has_value());
    EXPECT_FALSE(LookupHostIpv4("").has_value());
}

TEST(MakeServerTarget, AddressInNetworkOrderAndPortInSixteenBits) {
    const ServerTarget target = MakeServerTarget(2001, 0x7F000102u, "pw", true, "token");
    std::array<unsigned char, 4> bytes{};
    std::memcpy(bytes.data(), &target.address, bytes.size());
    EXPECT_EQ(bytes, (std::array<unsigned char, 4>{127, 0, 1, 2})) << "first part first";
    EXPECT_EQ(target.port, 2001);
    EXPECT_EQ(target.password, "pw");
    EXPECT_TRUE(target.useRelay);
    EXPECT_EQ(target.relayCredential, "token");

    EXPECT_EQ(MakeServerTarget(65536 + 2000, 0, {}).port, 2000) << "low 16 bits";
    EXPECT_EQ(MakeServerTarget(-1, 0, {}).port, 65535);
    EXPECT_EQ(MakeServerTarget(std::int64_t{1} << 40, 0, {}).port, 0);
    EXPECT_FALSE(MakeServerTarget(2000, 0, {}).useRelay);
}

}  // namespace
}  // namespace zol
