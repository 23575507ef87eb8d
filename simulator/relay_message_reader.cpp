#include "simulator/relay_message_reader.h"

#include <vector>

#include "serverlink/json_reader.h"
#include "serverlink/relay_crypto.h"

namespace zol {

namespace {

constexpr std::size_t kBlockSize = 16;

// Base64 length of n cipher blocks, '=' padding included.
std::size_t EncodedLength(std::size_t blocks) {
    return (blocks * kBlockSize + 2) / 3 * 4;
}

}  // namespace

void RelayMessageReader::Append(std::string_view bytes) {
    buffer_.append(bytes);
    if (buffer_.size() > kMaxPending)
        buffer_.clear();
}

std::optional<std::string> RelayMessageReader::Next() {
    for (std::size_t blocks = 1; EncodedLength(blocks) <= buffer_.size(); ++blocks) {
        const std::size_t length = EncodedLength(blocks);
        std::optional<std::string> plaintext =
            DecodeAndDecrypt(std::string_view(buffer_).substr(0, length));
        std::vector<JsonMember> members;
        if (plaintext && ReadJson(*plaintext, members) == kJsonOk) {
            buffer_.erase(0, length);
            return plaintext;
        }
    }
    return std::nullopt;
}

}  // namespace zol
