// zolcli run as a process against zolsim (and, where zolsim cannot play the
// part, a small scripted server inside the test): every report, every exit
// code, the switch rules and the settings kept between runs.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/registry_store.h"
#include "serverlink/field_list.h"
#include "testsupport/child_process.h"
#include "testsupport/zolsim_control.h"

namespace zol {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::BackgroundProcess;
using testing::ExitResult;
using testing::PortFromLine;
using testing::RunToEnd;
using testing::SendControlLine;

constexpr const char* kConnection = "Software\\Tarnwell\\ZOLCLI\\Connection";
constexpr const char* kEmptyWords = R"("", "", "", "", "", "")";

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A loopback port where nothing listens (bound, then released).
int ClosedPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
}

class ZolCliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zolcli-e2e-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        registry_ = dir_ / "ZOLCLI.reg";
        result_ = dir_ / "result.txt";
    }
    void TearDown() override {
        sim_.Stop();
        fs::remove_all(dir_);
    }

    void StartSimulator(std::vector<std::string> extra = {}) {
        std::vector<std::string> argv = {ZOLSIM_PATH, "--port", "0", "--design", DEMO_DESIGN_PATH};
        argv.insert(argv.end(), extra.begin(), extra.end());
        ASSERT_TRUE(sim_.Start(argv, 2, 30s)) << "zolsim did not start";
        simPort_ = PortFromLine(sim_.FirstLines()[0]);
        controlPort_ = PortFromLine(sim_.FirstLines()[1]);
        ASSERT_GT(simPort_, 0);
        ASSERT_GT(controlPort_, 0);
    }

    ExitResult Cli(std::vector<std::string> args) {
        args.insert(args.begin(), ZOLCLI_PATH);
        return RunToEnd(args, {{"ZOL_REGISTRY_FILE", registry_.string()}}, 60s);
    }
    // The usual switches for the simulator, then the words.
    ExitResult CliToSim(std::vector<std::string> words) {
        std::vector<std::string> args = {"/ZOLServer:127.0.0.1",
                                         "/Port:" + std::to_string(simPort_),
                                         "/Result:" + result_.string()};
        args.insert(args.end(), words.begin(), words.end());
        return Cli(args);
    }
    std::optional<RegistryValue> Stored(const std::string& name) {
        RegistryStore store(registry_);
        store.Load();
        return store.GetValue(kConnection, name);
    }
    void StoreNumber(const std::string& name, std::uint32_t value) {
        RegistryStore store(registry_);
        store.Load();
        store.CreateKey(kConnection);
        std::string data(4, '\0');
        for (int i = 0; i < 4; ++i)
            data[static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
        store.SetValue(kConnection, name, {kRegDword, data});
        ASSERT_EQ(store.Save(), 0);
    }
    static std::uint32_t Number(const std::optional<RegistryValue>& v) {
        std::uint32_t n = 0;
        for (std::size_t i = v->data.size(); i-- > 0;)
            n = (n << 8) | static_cast<unsigned char>(v->data[i]);
        return n;
    }

    fs::path dir_;
    fs::path registry_;
    fs::path result_;
    BackgroundProcess sim_;
    int simPort_ = 0;
    int controlPort_ = 0;
};

TEST_F(ZolCliTest, ASuccessfulCommandWritesTheWholeReplyAndExitsZero) {
    StartSimulator();
    ExitResult r = CliToSim({"ZOLApp", "TimeStamp"});
    ASSERT_TRUE(r.exited);
    EXPECT_EQ(r.code, 0);
    const std::string reply = Slurp(result_);
    std::vector<FieldValue> fields;
    ASSERT_EQ(DecodeFieldList(reply, fields), 0) << reply;
    ASSERT_GE(fields.size(), 3u);
    EXPECT_EQ(fields[0].text, "0");
    EXPECT_EQ(fields[1].text, "ZOLApp");
    EXPECT_EQ(fields[2].text, "TimeStamp");
    EXPECT_EQ(static_cast<std::size_t>(ReadDecimal(reply.substr(4 * fields.size() - 4, 4))),
              reply.size())
        << "the frame exactly as received, header included";
    EXPECT_EQ(r.output, "") << "nothing on standard output";
}

TEST_F(ZolCliTest, ANonZeroResultCodeIsACommandErrorWithExitZero) {
    StartSimulator();
    ExitResult r = CliToSim({"ZOLApp", "NoSuchRequest", "x"});
    ASSERT_TRUE(r.exited);
    EXPECT_EQ(r.code, 0);
    const std::string text = Slurp(result_);
    EXPECT_TRUE(text.starts_with("Command error=")) << text;
    EXPECT_TRUE(text.ends_with(R"( ["ZOLApp", "NoSuchRequest", "x", "", "", "", "", ""])")) << text;
    EXPECT_NE(text, "Command error=0");
}

TEST_F(ZolCliTest, AnUnresolvableAddressIsReportedWithExitZeroAndNothingStored) {
    const std::string name = std::string(70, 'q') + ".invalid";
    ExitResult r =
        Cli({"/ZOLServer:" + name, "/Result:" + result_.string(), "ZOLApp", "TimeStamp"});
    ASSERT_TRUE(r.exited);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(Slurp(result_), "Server IP address can't be resolved: \"" + name + "\"");
    EXPECT_FALSE(fs::exists(registry_)) << "settings are not stored after an unresolvable address";
}

TEST_F(ZolCliTest, AFailedConnectExitsOneAndStillStoresTheSwitches) {
    const int port = ClosedPort();
    ExitResult r = Cli({"/ZOLServer:127.0.0.1", "/Port:" + std::to_string(port), "/PSWD:pw",
                        "/Result:" + result_.string(), "ZOLApp", "TimeStamp"});
    ASSERT_TRUE(r.exited);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(Slurp(result_), "Unable to connect to ZOL Server");
    EXPECT_EQ(Number(Stored("ServerPort")), static_cast<std::uint32_t>(port));
    EXPECT_EQ(Stored("ServerPassword")->data, "pw");
    EXPECT_EQ(Stored("ServerIPAddress")->data, "127.0.0.1");
}

TEST_F(ZolCliTest, ARequestThatCannotBeEncodedIsAServerErrorMinusOne) {
    StartSimulator();
    // Over 9,999 bytes the header's four-digit offsets no longer hold.
    const std::string huge(100000, 'w');
    ExitResult r = CliToSim({"ZOLApp", huge});
    ASSERT_TRUE(r.exited);
    EXPECT_EQ(r.code, 255) << "exit code -1";
    EXPECT_EQ(Slurp(result_),
              "Server error=-1 [\"ZOLApp\", \"" + huge + "\", " + kEmptyWords + "]");
}

// A server that greets and takes the client options, then never answers.
class SilentAfterHandshakeServer {
  public:
    SilentAfterHandshakeServer() {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(listener_, 4);
        socklen_t len = sizeof addr;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~SilentAfterHandshakeServer() {
        ::shutdown(listener_, SHUT_RDWR);
        ::close(listener_);
        thread_.join();
    }
    int Port() const { return port_; }

  private:
    void Serve() {
        int fd = ::accept(listener_, nullptr, nullptr);
        if (fd < 0)
            return;
        std::string in;
        char buf[4096];
        auto readUntil = [&](std::size_t n) {
            while (in.size() < n) {
                ssize_t got = ::recv(fd, buf, sizeof buf, 0);
                if (got <= 0)
                    return false;
                in.append(buf, static_cast<std::size_t>(got));
            }
            return true;
        };
        if (readUntil(16)) {
            const std::string greeting = "ZOL010 019001003";
            ::send(fd, greeting.data(), greeting.size(), MSG_NOSIGNAL);
            in.erase(0, 16);
            // The options request: answer it, then stay silent until closed.
            if (readUntil(4) && readUntil(static_cast<std::size_t>(ReadDecimal(in.substr(0, 4))))) {
                const std::string reply = FieldList{"0", "ZOLApp", "SetClientOptions"}.Message();
                ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
            }
            while (::recv(fd, buf, sizeof buf, 0) > 0) {
            }
        }
        ::close(fd);
    }

    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
};

TEST_F(ZolCliTest, NoReplyInTimeIsAServerErrorOneWithinTheReplyTimeout) {
    SilentAfterHandshakeServer server;
    StoreNumber("ServerReplyTimeout", 1);
    ExitResult r = Cli({"/ZOLServer:127.0.0.1", "/Port:" + std::to_string(server.Port()),
                        "/Result:" + result_.string(), "ZOLApp", "TimeStamp"});
    ASSERT_TRUE(r.exited);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(Slurp(result_),
              std::string("Server error=1 [\"ZOLApp\", \"TimeStamp\", ") + kEmptyWords + "]");
    EXPECT_LT(r.elapsed, 20s) << "one reply time-out, not more";
}

TEST_F(ZolCliTest, ThePasswordIsSentOnlyWhenDemandedAndAWrongOneFails) {
    StartSimulator({"--password", "secret"});
    ExitResult wrong = CliToSim({"/PSWD:guess", "ZOLApp", "TimeStamp"});
    ASSERT_TRUE(wrong.exited);
    EXPECT_EQ(wrong.code, 1);
    EXPECT_EQ(Slurp(result_), "Incorrect remote access password");

    ExitResult right = CliToSim({"/PSWD:secret", "ZOLApp", "TimeStamp"});
    EXPECT_EQ(right.code, 0);
    EXPECT_TRUE(Slurp(result_).find("ZOLAppTimeStamp") != std::string::npos);

    sim_.Stop();
    StartSimulator();  // no password demanded
    ExitResult none = CliToSim({"/PSWD:secret", "ZOLApp", "TimeStamp"});
    EXPECT_EQ(none.code, 0);
    EXPECT_EQ(SendControlLine(controlPort_, "requests").find("SetPassword"), std::string::npos);
}

TEST_F(ZolCliTest, CommandWordsFollowTheColonAndEightWordRules) {
    StartSimulator();
    SendControlLine(controlPort_, "requests clear");
    CliToSim({"ZOLObject:Kitchen", "/Unknown:1", "Device.Nothing", "a", "b", "c", "d", "e", "f",
              "ninth"});
    const std::string log = SendControlLine(controlPort_, "requests");
    EXPECT_NE(log.find("ZOLObject|Device.Nothing|a|b|c|d|e|f"), std::string::npos) << log;
    EXPECT_EQ(log.find("ninth"), std::string::npos);
    EXPECT_EQ(log.find("Kitchen"), std::string::npos);
    EXPECT_EQ(log.find("Unknown"), std::string::npos);
}

TEST_F(ZolCliTest, SwitchesAreStoredAndServeLaterRuns) {
    StartSimulator();
    ASSERT_EQ(CliToSim({"ZOLApp", "TimeStamp"}).code, 0);
    // No switches now: address, port and result path come from the last run.
    fs::remove(result_);
    ExitResult again = Cli({"ZOLApp", "TimeStamp"});
    EXPECT_EQ(again.code, 0);
    EXPECT_NE(Slurp(result_).find("ZOLAppTimeStamp"), std::string::npos);

    // A port with a letter is ignored; one in capitals is taken.
    Cli({"/Port:80x"});
    EXPECT_EQ(Number(Stored("ServerPort")), static_cast<std::uint32_t>(simPort_));
    Cli({"/PORT:8080"});
    EXPECT_EQ(Number(Stored("ServerPort")), 8080u);

    // "/Result" without a colon empties the path: nothing is written.
    Cli({"/Port:" + std::to_string(simPort_), "/Result"});
    fs::remove(result_);
    EXPECT_EQ(Cli({"ZOLApp", "TimeStamp"}).code, 0);
    EXPECT_FALSE(fs::exists(result_));
}

TEST_F(ZolCliTest, FewerThanTwoWordsPrintUsageExitWith64AndStoreTheSwitches) {
    ExitResult r =
        Cli({"/ZOLServer:10.0.0.5", "/Port:2001", "/Result:" + result_.string(), "OnlyOne"});
    ASSERT_TRUE(r.exited);
    EXPECT_EQ(r.code, 64);
    EXPECT_NE(r.errors.find("usage: zolcli"), std::string::npos);
    EXPECT_NE(Slurp(result_).find("usage: zolcli"), std::string::npos);
    EXPECT_EQ(Stored("ServerIPAddress")->data, "10.0.0.5");
    EXPECT_EQ(Number(Stored("ServerPort")), 2001u);
    EXPECT_LT(r.elapsed, 10s) << "nothing was dialled";
}

TEST_F(ZolCliTest, HostileArgumentsGetClearResults) {
    StartSimulator();
    std::vector<std::string> many(97, "/ignored");
    many.insert(many.begin(), {"/ZOLServer:127.0.0.1", "/Port:" + std::to_string(simPort_)});
    many.push_back("/Result:" + result_.string());  // the 100th word is not read
    ExitResult tooMany = Cli(many);
    EXPECT_EQ(tooMany.code, 64);
    EXPECT_FALSE(fs::exists(result_));

    ExitResult highBytes = CliToSim({"ZOLObject", "Device.On",
                                     "K\xfc"
                                     "che - Lampe \xe9"});
    ASSERT_TRUE(highBytes.exited);
    EXPECT_EQ(highBytes.code, 0);
    EXPECT_TRUE(Slurp(result_).starts_with("Command error=") ||
                Slurp(result_).find("Device.On") != std::string::npos);

    ExitResult missingFolder =
        Cli({"/Result:" + (dir_ / "no" / "such" / "r.txt").string(), "ZOLApp", "TimeStamp"});
    EXPECT_EQ(missingFolder.code, 0) << "a result file that cannot be created is skipped";
    EXPECT_FALSE(fs::exists(dir_ / "no"));
}

}  // namespace
}  // namespace zol
