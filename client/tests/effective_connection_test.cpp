#include "client/core/effective_connection.h"

#include <gtest/gtest.h>

#include "client/core/client_settings.h"
#include "serverlink/server_address.h"

namespace zol {
namespace {

EffectiveConnection Apply(const ClientSettings& s, const std::string& commandLine,
                          CommandLineResult* result = nullptr) {
    EffectiveConnection c = EffectiveConnection::FromSettings(s);
    CommandLineResult r = ApplyCommandLine(SplitCommandLine({commandLine}), c);
    if (result != nullptr)
        *result = r;
    return c;
}

TEST(CommandLineTest, ServerAndPortOverrideTheRelayAndCompleteTheConnection) {
    ClientSettings s;
    s.autoConnect = 1;
    s.useAgentConnection = 1;
    EffectiveConnection c = Apply(s, "/ZOLServer:192.168.1.20 /Port:1234");
    EXPECT_TRUE(c.overridden);
    EXPECT_EQ(c.addressKind, kAddressKindIPv4);
    EXPECT_EQ(c.ipv4Address, 0xC0A80114u);
    EXPECT_EQ(c.serverPort, 1234);
    EXPECT_EQ(c.useRelay, 0);
    EXPECT_TRUE(ConnectionDetailsComplete(s, c));
}

TEST(CommandLineTest, MalformedValuesChangeNothing) {
    ClientSettings s;
    s.serverPort = 2000;
    for (const char* line :
         {"/ZOLServer:192.168.1", "/ZOLServer:192.168.1.2.3", "/ZOLServer:192..1.2",
          "/ZOLServer:192.168.1.x", "/ZOLServer:", "/ZOLServer", "/Port:12a", "/Port:", "/Port:-1",
          "/Port:99999999999999999999", "/Port:0", "/CloudConnect:yes", "/CloudToken:",
          "/ZOLServerName:", "ZOLServer:1.2.3.4", "/Unknown:1", "/ZOLServer:+1.2.3.4"}) {
        EffectiveConnection c = Apply(s, line);
        EXPECT_FALSE(c.overridden) << line;
        EXPECT_EQ(c.ipv4Address, 0u) << line;
        EXPECT_EQ(c.serverPort, 2000) << line;
        EXPECT_EQ(c.useRelay, 0) << line;
    }
}

TEST(CommandLineTest, DottedAddressesFollowTheSameRuleAsZolcli) {
    ClientSettings s;
    EffectiveConnection c = Apply(s, "/ZOLServer:192.168.1.257");
    EXPECT_TRUE(c.overridden);
    EXPECT_EQ(c.ipv4Address, 0xC0A80101u) << "each part modulo 256";
}

TEST(CommandLineTest, RelaySwitchesApplyInOrder) {
    ClientSettings s;
    EffectiveConnection token = Apply(s, "/CloudToken:abc");
    EXPECT_EQ(token.useRelay, 1);
    EXPECT_EQ(token.relayCredential, "abc");
    EffectiveConnection off = Apply(s, "/CloudToken:abc /CloudConnect:0");
    EXPECT_EQ(off.useRelay, 0);
    EXPECT_EQ(off.relayCredential, "abc");
    EXPECT_EQ(Apply(s, "/CloudConnect:000000000000000000000000000007").useRelay, 1);
    // The last one wins.
    EXPECT_EQ(Apply(s, "/Port:80 /Port:81").serverPort, 81);
}

TEST(CommandLineTest, SwitchesIgnoreCaseAndSplitAtTheFirstColon) {
    ClientSettings s;
    EXPECT_EQ(Apply(s, "/port:80").serverPort, 80);
    EXPECT_EQ(Apply(s, "/pswd:a:b").password, "a:b");
    EffectiveConnection named = Apply(s, "/zolservername:house.example");
    EXPECT_EQ(named.addressKind, kAddressKindHostName);
    EXPECT_EQ(named.hostName, "house.example");
    EXPECT_TRUE(named.overridden);
}

TEST(CommandLineTest, RemoteAccessViewerDoesNotOverride) {
    ClientSettings s;
    CommandLineResult r;
    EffectiveConnection c = Apply(s, "/rav", &r);
    EXPECT_TRUE(r.openRemoteAccessViewer);
    EXPECT_FALSE(c.overridden);
}

TEST(CommandLineTest, ArgumentsAreJoinedAndSplitAtBlanks) {
    EXPECT_EQ(SplitCommandLine({"/Port:1 /PSWD:x", "", "  /RAV "}),
              (std::vector<std::string>{"/Port:1", "/PSWD:x", "/RAV"}));
}

TEST(ConnectionDetailsTest, WithoutOverrideTheSettingsDecide) {
    ClientSettings s;
    EffectiveConnection c = EffectiveConnection::FromSettings(s);
    EXPECT_FALSE(ConnectionDetailsComplete(s, c));
    s.primaryIPAddress = 0x7F000001;
    EXPECT_TRUE(ConnectionDetailsComplete(s, EffectiveConnection::FromSettings(s)));
    s.primaryType = kAddressKindHostName;
    EXPECT_FALSE(ConnectionDetailsComplete(s, EffectiveConnection::FromSettings(s)));
    s.primaryName = "house";
    EXPECT_TRUE(ConnectionDetailsComplete(s, EffectiveConnection::FromSettings(s)));
    s.primaryType = 2;
    EXPECT_FALSE(ConnectionDetailsComplete(s, EffectiveConnection::FromSettings(s)));
    s.useAgentConnection = 1;
    EXPECT_FALSE(ConnectionDetailsComplete(s, EffectiveConnection::FromSettings(s)));
    s.agentToken = "tok";
    EXPECT_TRUE(ConnectionDetailsComplete(s, EffectiveConnection::FromSettings(s)));
}

TEST(ConnectionDetailsTest, WithOverrideTheEffectiveConnectionDecides) {
    ClientSettings s;
    s.primaryIPAddress = 0x7F000001;
    EXPECT_FALSE(ConnectionDetailsComplete(s, Apply(s, "/ZOLServerName:x /CloudConnect:1")));
    EXPECT_TRUE(ConnectionDetailsComplete(s, Apply(s, "/CloudToken:t")));
    s.agentToken = "saved";
    EXPECT_TRUE(ConnectionDetailsComplete(s, Apply(s, "/CloudConnect:1")));
    EXPECT_TRUE(ConnectionDetailsComplete(s, Apply(s, "/PSWD:p")));  // address from settings
    s.primaryIPAddress = 0;
    EXPECT_FALSE(ConnectionDetailsComplete(s, Apply(s, "/PSWD:p")));
}

TEST(ResolveTargetTest, StoredAddressOrLookedUpNameInNetworkOrder) {
    ClientSettings s;
    s.primaryIPAddress = 0x7F000102;
    s.serverPort = 2001;
    s.password = "pw";
    std::optional<ServerTarget> direct = ResolveTarget(EffectiveConnection::FromSettings(s));
    ASSERT_TRUE(direct.has_value());
    EXPECT_EQ(direct->address, MakeServerTarget(0, 0x7F000102u, {}).address);
    EXPECT_EQ(direct->port, 2001);
    EXPECT_EQ(direct->password, "pw");
    EXPECT_FALSE(direct->useRelay);

    std::optional<ServerTarget> named = ResolveTarget(Apply(s, "/ZOLServerName:localhost"));
    ASSERT_TRUE(named.has_value());
    EXPECT_EQ(named->address, MakeServerTarget(0, 0x7F000001u, {}).address);
    EXPECT_FALSE(ResolveTarget(Apply(s, "/ZOLServerName:bad..name")).has_value());

    // Through the relay the name is not looked up: the relay announces the server.
    s.agentToken = "tok";
    EffectiveConnection relayed = Apply(s, "/ZOLServerName:bad..name /CloudConnect:1");
    std::optional<ServerTarget> viaRelay = ResolveTarget(relayed);
    ASSERT_TRUE(viaRelay.has_value());
    EXPECT_TRUE(viaRelay->useRelay);
    EXPECT_EQ(viaRelay->relayCredential, "tok");
}

}  // namespace
}  // namespace zol
