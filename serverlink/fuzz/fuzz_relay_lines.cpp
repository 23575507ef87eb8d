// Feeds arbitrary bytes to the relay's line processing (base64, AES, JSON,
// host-message decoding) as the receive task would, cut at a point chosen by
// the first byte, and checks what the receive task relies on: the bytes used
// never exceed what was offered, what is left is never longer than a line
// may be (the receive limit counts on it), the plaintext buffer keeps its
// capacity.
// The resolver only reads dotted addresses: the fuzzer must never dial DNS.
#include <arpa/inet.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "serverlink/relay_crypto.h"
#include "serverlink/relay_session.h"

namespace {

std::uint32_t DottedOnly(const std::string& host) {
    in_addr address{};
    return inet_pton(AF_INET, host.c_str(), &address) == 1 ? address.s_addr : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    zol::RelaySession session([](std::string_view) {}, DottedOnly);
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

    // Raw bytes as received, in two reads.
    const std::size_t cut = input.empty() ? 0 : data[0] % (input.size() + 1);
    std::string received(input.substr(0, cut));
    int last = 0;
    for (int read = 0; read < 2; ++read) {
        const std::size_t used = session.ScanReceived(received, last);
        if (used > received.size() || received.size() - used > zol::RelaySession::kMaxLineLength) {
            std::abort();
        }
        received.erase(0, used);
        if (read == 0)
            received.append(input.substr(cut));
    }
    // The same bytes as the plaintext of a well-formed line, so the JSON
    // reader and the host-message decoding see them too.
    const std::string line = zol::EncryptAndEncode(input) + "\n";
    session.ScanReceived(line, last);
    if (session.PlaintextSize() > zol::RelaySession::kPlaintextCapacity)
        std::abort();
    session.RunDecodePass();
    if (session.PlaintextSize() != 0)
        std::abort();
    return 0;
}
