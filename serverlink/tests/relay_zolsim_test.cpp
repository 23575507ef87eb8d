// End to end: the real ServerLink with the cloud flag reaches zolsim through
// zolsim's relay mode, and the discovery search finds zolsim's responder.
// zolsim runs as a child process on loopback ports it picks itself.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "serverlink/bridge_discovery.h"
#include "serverlink/connect_handshake.h"
#include "serverlink/field_list.h"
#include "serverlink/relay_link.h"
#include "serverlink/server_link.h"

extern char** environ;

namespace zol {
namespace {

namespace fs = std::filesystem;

// zolsim as a child process; its standard output is read line by line.
class Zolsim {
  public:
    explicit Zolsim(std::vector<std::string> arguments) {
        int out[2];
        if (::pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        arguments.insert(arguments.begin(), ZOLSIM_PATH);
        std::vector<char*> argv;
        for (auto& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, ZOLSIM_PATH, &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        output_ = out[0];
    }
    ~Zolsim() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
        if (output_ >= 0)
            ::close(output_);
    }

    // The next output line, or empty after 20 s without one.
    std::string ReadLine() {
        for (;;) {
            const std::size_t end = buffer_.find('\n');
            if (end != std::string::npos) {
                std::string line = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                return line;
            }
            pollfd p{output_, POLLIN, 0};
            if (::poll(&p, 1, 20000) != 1)
                return {};
            char chunk[512];
            const ssize_t n = ::read(output_, chunk, sizeof chunk);
            if (n <= 0)
                return {};
            buffer_.append(chunk, static_cast<std::size_t>(n));
        }
    }

    // Reads lines until one matches; its first capture group as a number.
    int WaitFor(const std::string& pattern) {
        const std::regex expression(pattern);
        for (std::string line = ReadLine(); !line.empty(); line = ReadLine()) {
            std::smatch match;
            if (std::regex_search(line, match, expression))
                return std::stoi(match[1]);
        }
        return -1;
    }

  private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string buffer_;
};

std::string ReadFolder(const fs::path& folder) {
    std::string all;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        all.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return all;
}

TEST(RelayZolsimTest, ServerLinkThroughTheRelayRunsRequestsAsIfDirect) {
    Zolsim sim({"--port", "0", "--control-port", "0", "--relay-port", "0"});
    const int serverPort = sim.WaitFor(R"(^(\d+)$)");
    ASSERT_GT(serverPort, 0);
    const int relayPort = sim.WaitFor(R"(relay control on 127\.0\.0\.1:(\d+))");
    ASSERT_GT(relayPort, 0);

    const fs::path logDir =
        fs::temp_directory_path() / ("zol-relay-e2e-" + std::to_string(getpid()));
    fs::remove_all(logDir);
    fs::create_directories(logDir);
    RelaySettings settings;
    settings.agentAddress = "127.0.0.1";
    settings.agentPort = relayPort;
    settings.logFolder = logDir.string();
    LinkTimeouts timeouts;
    timeouts.decodeTimeout = 1;
    RelayLink relay(settings, timeouts);
    ServerLink link(timeouts);
    link.SetRelayHook(&relay);

    ServerTarget target;
    target.useRelay = true;
    target.relayCredential = "e2e-token";
    std::string failure;
    ASSERT_EQ(ConnectToServer(link, target, "relay-e2e", failure), 0) << failure;

    for (int i = 0; i < 3; ++i) {
        std::int32_t code = -1;
        std::string reply;
        ASSERT_EQ(link.SendRequest(FieldList{"ZOLApp", "Ping"}.Message(), code, reply), 0);
        EXPECT_EQ(code, 0);
        std::vector<FieldValue> fields;
        ASSERT_EQ(DecodeFieldList(reply, fields), 0);
        ASSERT_GE(fields.size(), 3u);
        EXPECT_EQ(fields[2].text, "Ping");
    }
    link.CloseServerConnection();
    EXPECT_FALSE(relay.IsOpen());

    const std::string log = ReadFolder(logDir);
    for (
        const std::string& expected :
        {std::string("AgentConnection: Begin\r\n"),
         std::string(R"(Agent Connection: Send to cloud {"type":"client","name":"e2e-token"})"),
         std::string("Agent Connection: Open\r\n"), std::string("Store in receive agent buffer: "),
         std::string(R"(Agent decode JSON:{"host":"127.0.0.1","port":")"),
         std::string("Agent decode: Host message 127.0.0.1 "),
         std::string(
             R"(Agent Connection: Begin client connect. Sending {"type":"client","uuid":"client-sim-1"})"),
         std::string(R"(Agent Connection: Begin client connect. Received {"agentstate":"ready"})"),
         std::string("Agent Connection: End\r\n")}) {
        EXPECT_NE(log.find(expected), std::string::npos) << expected << "\n" << log;
    }
    EXPECT_EQ(log.find("Receive task ending"), std::string::npos) << log;
    fs::remove_all(logDir);
}

TEST(RelayZolsimTest, RelayWithoutServerGivesNine) {
    Zolsim sim({"--port", "0", "--control-port", "0", "--relay-port", "0", "--relay-no-host"});
    const int relayPort = sim.WaitFor(R"(relay control on 127\.0\.0\.1:(\d+))");
    ASSERT_GT(relayPort, 0);
    RelaySettings settings;
    settings.agentAddress = "127.0.0.1";
    settings.agentPort = relayPort;
    settings.agentLog = 0;
    settings.agentPostConnectWaitSeconds = 2;
    LinkTimeouts timeouts;
    RelayLink relay(settings, timeouts);
    ServerLink link(timeouts);
    link.SetRelayHook(&relay);
    ServerTarget target;
    target.useRelay = true;
    target.relayCredential = "t";
    std::string failure;
    EXPECT_EQ(ConnectToServer(link, target, "relay-e2e", failure), 9);
    EXPECT_EQ(failure, "ZOL Cloud has not yet reported ZOL server online.");
}

TEST(RelayZolsimTest, DiscoveryFindsTheSimulatedServer) {
    Zolsim sim({"--port", "0", "--control-port", "0", "--discovery-port", "0"});
    const int serverPort = sim.WaitFor(R"(^(\d+)$)");
    const int port = sim.WaitFor(R"(discovery on 127\.0\.0\.1:(\d+))");
    ASSERT_GT(port, 0);

    BridgeDiscovery::Options options;
    options.targetAddress = "127.0.0.1";
    options.targetPort = static_cast<std::uint16_t>(port);
    options.localAddress = "127.0.0.1";
    options.localPort = 0;
    BridgeDiscovery discovery(options);
    ASSERT_TRUE(discovery.Start());
    BridgeDiscovery::PollResult result = BridgeDiscovery::PollResult::Waiting;
    while (result == BridgeDiscovery::PollResult::Waiting) {
        usleep(200'000);  // the GUI polls once a second; loopback answers at once
        result = discovery.Poll();
    }
    ASSERT_EQ(result, BridgeDiscovery::PollResult::Found);
    EXPECT_EQ(discovery.FoundPort(), serverPort);
    EXPECT_EQ(discovery.FoundAddressText(), "127.0.0.1");
}

}  // namespace
}  // namespace zol
