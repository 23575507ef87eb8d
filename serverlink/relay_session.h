// RelaySession: what the cloud relay's control connection says, without any
// socket. The receive task feeds it the received bytes (ScanReceived); each
// LF-ended line is decoded, decrypted, parsed, logged and its plaintext kept
// in the plaintext buffer; the decode-and-ping task later decodes what was
// kept as one message (RunDecodePass) and publishes the announced server.
//
// Thread-safety: every member may be called from any thread; the plaintext
// lock serialises line processing, decode passes and the announced server.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace zol {

// Where the relay told us to open the data connection.
struct AnnouncedServer {
    std::uint32_t address = 0;  // IPv4, network byte order; 0 = none yet
    std::uint16_t port = 0;
    std::string uuid;
};

// IPv4 address (network byte order) of a host name or dotted address, or 0.
std::uint32_t LookupIpv4(const std::string& host);

class RelaySession {
  public:
    static constexpr std::size_t kPlaintextCapacity = 65535;
    // A received line longer than this can never be a relay message.
    static constexpr std::size_t kMaxLineLength = 65535;

    using LogFunction = std::function<void(std::string_view)>;
    using Resolver = std::function<std::uint32_t(const std::string&)>;

    explicit RelaySession(LogFunction log, Resolver resolver = LookupIpv4);

    // Processes every complete line at the front of `received` in order,
    // stopping after a line whose result is non-zero. Returns how many bytes
    // were used (through the last processed LF); the rest waits for more.
    // `lastResult` receives the result of the last processed line.
    std::size_t ScanReceived(std::string_view received, int& lastResult);

    // One line without its LF: 0, -1 (does not parse as JSON) or the relay's
    // non-zero error code. A line that does not decrypt is logged, dropped
    // and gives 0.
    int ProcessLine(std::string_view line);

    // Under the plaintext lock: decodes the kept plaintext (if any) as one
    // message, empties the buffer, then runs `afterDecode` (the ping check).
    void RunDecodePass(const std::function<void()>& afterDecode = {});

    // The announced server once a host message gave a resolvable address.
    std::optional<AnnouncedServer> Announced() const;
    std::size_t PlaintextSize() const;
    // Forgets the kept plaintext and the announced server.
    void Clear();

  private:
    void DecodeHostMessage(const std::string& text);

    const LogFunction log_;
    const Resolver resolver_;
    mutable std::mutex plaintextMutex_;
    std::string plaintext_;  // capacity kPlaintextCapacity
    AnnouncedServer announced_;
};

}  // namespace zol
