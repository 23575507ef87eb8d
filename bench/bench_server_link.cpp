// Server link round trips against a small echo server on loopback, next to
// the floor: the same bytes ping-ponged over a plain blocking socket.
//
//   build/release/bench/bench_server_link
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "serverlink/field_list.h"
#include "serverlink/server_link.h"

namespace zol {
namespace {

const std::string kRequest = FieldList{"ZOLApp", "Ping", "5"}.Message();
const std::string kReply = FieldList{"0", "ZOLApp", "Ping"}.Message();
constexpr std::string_view kGreetingReply = "ZOL030x014002007";

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool ReadAll(int fd, char* buffer, std::size_t count) {
    std::size_t got = 0;
    while (got < count) {
        ssize_t n = recv(fd, buffer + got, count - got, 0);
        if (n <= 0) {
            return false;
        }
        got += static_cast<std::size_t>(n);
    }
    return true;
}

// Answers a greeting frame with kGreetingReply and every request (they are
// all kRequest-sized) with kReply, one connection per thread.
class EchoServer {
  public:
    EchoServer() {
        listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(listener_, 64) != 0) {
            throw std::runtime_error("listen failed");
        }
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        acceptor_ = std::thread([this] { AcceptLoop(); });
    }
    ~EchoServer() {
        stop_.store(true);
        acceptor_.join();
        close(listener_);
        std::lock_guard lock(mutex_);
        for (std::thread& thread : connections_) {
            thread.join();
        }
    }
    ServerTarget Target() const {
        ServerTarget target;
        target.address = htonl(INADDR_LOOPBACK);
        target.port = port_;
        return target;
    }

  private:
    void AcceptLoop() {
        while (!stop_.load()) {
            pollfd handle{listener_, POLLIN, 0};
            if (poll(&handle, 1, 20) <= 0) {
                continue;
            }
            int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) {
                continue;
            }
            int one = 1;
            setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
            std::lock_guard lock(mutex_);
            connections_.emplace_back([client] { Serve(client); });
        }
    }
    static void Serve(int client) {
        char buffer[64];
        for (;;) {
            if (!ReadAll(client, buffer, 3)) {
                break;
            }
            bool greeting = std::string_view(buffer, 3) == "ZOL";
            std::size_t rest = (greeting ? 16 : kRequest.size()) - 3;
            if (!ReadAll(client, buffer + 3, rest) ||
                !WriteAll(client, greeting ? kGreetingReply : std::string_view(kReply))) {
                break;
            }
        }
        close(client);
    }

    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread acceptor_;
    std::mutex mutex_;
    std::vector<std::thread> connections_;
};

// One server for every benchmark and repetition, so that no measurement
// includes starting it.
EchoServer& SharedServer() {
    static EchoServer server;
    return server;
}

void BM_SendRequestRoundTrip(benchmark::State& state) {
    EchoServer& server = SharedServer();
    LinkTimeouts timeouts;
    ServerLink link(timeouts);
    if (link.OpenServerConnection(server.Target()) != 0) {
        state.SkipWithError("open failed");
        return;
    }
    std::int32_t code = 0;
    std::string reply;
    for (auto _ : state) {
        if (link.SendRequest(kRequest, code, reply) != 0) {
            state.SkipWithError("request failed");
            break;
        }
    }
    link.CloseServerConnection();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SendRequestRoundTrip)->UseRealTime();

// The floor: the same request and reply bytes over a blocking socket.
void BM_BlockingSocketPingPong(benchmark::State& state) {
    EchoServer& server = SharedServer();
    ServerTarget target = server.Target();
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = target.address;
    address.sin_port = htons(target.port);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        state.SkipWithError("connect failed");
        close(fd);
        return;
    }
    std::vector<char> reply(kReply.size());
    for (auto _ : state) {
        if (!WriteAll(fd, kRequest) || !ReadAll(fd, reply.data(), reply.size())) {
            state.SkipWithError("ping-pong failed");
            break;
        }
    }
    close(fd);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BlockingSocketPingPong)->UseRealTime();

// A whole short connection: open, greeting exchange, close. One connection
// per repetition so that the median is that of single connections.
void BM_OpenGreetClose(benchmark::State& state) {
    EchoServer& server = SharedServer();
    LinkTimeouts timeouts;
    ServerLink link(timeouts);
    std::int32_t code = 0;
    std::string reply;
    for (auto _ : state) {
        if (link.OpenServerConnection(server.Target()) != 0 ||
            link.SendRequest("ZOL000F002000001", code, reply) != 0) {
            state.SkipWithError("connect failed");
            break;
        }
        link.CloseServerConnection();
    }
}
BENCHMARK(BM_OpenGreetClose)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(300)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace zol

BENCHMARK_MAIN();
