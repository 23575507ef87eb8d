// RelaySession: what the cloud relay's control connection says, without any
// socket. The receive task feeds it the received bytes (ScanReceived); each
// LF-ended line is decoded, decrypted, parsed, logged and its plaintext kept
// in the plaintext buffer; the decode-and-ping task later decodes what was
// kept as one message (RunDecodePass) and publishes the announced server.
//
// Thread-safety: every member may be called from any thread, RunDecodePass
// from one at a time; the plaintext lock serialises line processing and the
// announced server. The announced host is resolved outside it, so a slow
// lookup holds up neither the receive task nor a close.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "serverlink/relay_host_lookup.h"

namespace zol {

// Where the relay told us to open the data connection.
struct AnnouncedServer {
    std::uint32_t address = 0;  // IPv4, network byte order; 0 = none yet
    std::uint16_t port = 0;
    std::string uuid;
};

class RelaySession {
  public:
    static constexpr std::size_t kPlaintextCapacity = 65535;
    // A received line longer than this can never be a relay message.
    static constexpr std::size_t kMaxLineLength = 65535;

    using LogFunction = std::function<void(std::string_view)>;
    using Resolver = RelayHostLookup::Resolver;

    explicit RelaySession(LogFunction log, Resolver resolver = LookupIpv4);

    // How many bytes at the front of `received` ScanReceived uses: through
    // the last LF, or all of them when the unended rest is already longer
    // than any line may be. What is left is never longer than kMaxLineLength.
    static std::size_t UsableLength(std::string_view received);

    // Processes every complete line of `received` in order, whatever their
    // results, and drops an unended rest that is too long; returns
    // UsableLength(received). The rest waits for more bytes. `lastResult`
    // receives the result of the last processed line.
    std::size_t ScanReceived(std::string_view received, int& lastResult);

    // One line without its LF: 0, -1 (does not parse as JSON) or the relay's
    // non-zero error code. A line that does not decrypt is logged, dropped
    // and gives 0.
    int ProcessLine(std::string_view line);

    // Takes the kept plaintext (if any) and decodes it as one message, then
    // runs `afterDecode` (the ping check) under the plaintext lock.
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
