// FakeServer: a scripted stand-in for the home-automation server inside a
// test. Listens on 127.0.0.1 with an ephemeral port and runs the script for
// each accepted connection, one after the other, on its own thread.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

#include "serverlink/server_target.h"

namespace zol::test {

using namespace std::chrono_literals;

class FakeConnection {
  public:
    FakeConnection(int socket, const std::atomic<bool>& stop) : socket_(socket), stop_(stop) {}

    // Reads exactly `count` bytes; false on close, error, stop or time-out.
    bool ReadExactly(std::size_t count, std::string& bytes,
                     std::chrono::milliseconds timeout = 5000ms);
    // Reads one client message: a 16-byte greeting frame or a field list.
    bool ReadMessage(std::string& message, std::chrono::milliseconds timeout = 5000ms);
    bool Write(std::string_view bytes);
    // Writes one byte at a time with a pause between them.
    bool WriteSlowly(std::string_view bytes, std::chrono::milliseconds pause);
    // True when the peer closed (or reset) the connection within the time-out.
    bool WaitForClose(std::chrono::milliseconds timeout);
    void Close();
    // The peer closed or reset the connection (seen by a read).
    bool PeerClosed() const { return peerClosed_; }
    int Socket() const { return socket_; }
    // The server is being destroyed: scripts should end.
    bool Stopping() const { return stop_.load(); }

  private:
    bool ReadSome(std::string& bytes, std::size_t max, std::chrono::milliseconds timeout);

    int socket_;
    const std::atomic<bool>& stop_;
    std::string buffered_;
    bool peerClosed_ = false;
};

class FakeServer {
  public:
    using Script = std::function<void(FakeConnection&)>;

    explicit FakeServer(Script script);
    ~FakeServer();
    FakeServer(const FakeServer&) = delete;
    FakeServer& operator=(const FakeServer&) = delete;

    std::uint16_t Port() const { return port_; }
    ServerTarget Target() const;
    int Accepted() const { return accepted_.load(); }

    // A port on 127.0.0.1 where nothing listens.
    static std::uint16_t UnusedPort();

  private:
    void Run();

    Script script_;
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> accepted_{0};
    std::thread thread_;
};

// Server side of a greeting exchange: reads the client's frame and answers.
// Returns the client's frame (empty when none came).
std::string AnswerGreeting(FakeConnection& connection, std::string_view reply);

// Standard greeting reply of a 14.2.7 server, client number 3, no password.
inline constexpr std::string_view kAcceptingGreeting = "ZOL030x014002007";

}  // namespace zol::test
