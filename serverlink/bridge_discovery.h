// BridgeDiscovery: one search for the server on the local network. Start()
// sends the "BRIDGE" datagram; the caller then calls Poll() once a second.
// The server answers with "HELLO", a zero byte and its TCP port in bytes 10
// and 11 (high byte first); the answer's source address is the server's.
//
// The target and local addresses are parameters so that tests stay on
// loopback; the defaults are the real broadcast search on port 1998.
// Thread-safety: none; one thread (the settings page's) drives a search.
#pragma once

#include <cstdint>
#include <string>

namespace zol {

class BridgeDiscovery {
  public:
    static constexpr std::uint16_t kDiscoveryPort = 1998;
    // A search gives up after this many polls without an answer.
    static constexpr int kMaxPolls = 6;

    struct Options {
        std::string targetAddress = "255.255.255.255";
        std::uint16_t targetPort = kDiscoveryPort;
        std::string localAddress = "0.0.0.0";
        std::uint16_t localPort = kDiscoveryPort;
    };

    enum class PollResult { Found, Waiting, NotFound };

    BridgeDiscovery();
    explicit BridgeDiscovery(Options options);
    ~BridgeDiscovery();
    BridgeDiscovery(const BridgeDiscovery&) = delete;
    BridgeDiscovery& operator=(const BridgeDiscovery&) = delete;

    // Opens the socket (broadcast allowed, bound to the local address and
    // port) and sends the search datagram. False, with the socket closed, on
    // any failure or when fewer than six bytes went out.
    bool Start();

    // Examines at most one waiting datagram. Found: the address and port are
    // recorded and the socket closed. NotFound: the sixth poll in a row
    // without an answer; the socket is closed. Waiting: poll again later.
    PollResult Poll();

    bool Found() const { return foundPort_ >= 0; }
    // The server's IPv4 address in host byte order; meaningful when Found().
    std::uint32_t FoundAddress() const { return foundAddress_; }
    // "%d.%d.%d.%d" of the found address.
    std::string FoundAddressText() const;
    // -1 until found.
    int FoundPort() const { return foundPort_; }
    int PollCount() const { return polls_; }

  private:
    void CloseSocket();
    bool ReadAnswer();

    Options options_;
    int socket_ = -1;
    int polls_ = 0;
    std::uint32_t foundAddress_ = 0;
    int foundPort_ = -1;
};

}  // namespace zol
