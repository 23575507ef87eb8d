// RelayMessageReader: splits what a relay client sends on its control
// connection into messages. The client writes each message as the base64 text
// of one AES-encrypted JSON object with no terminator, so messages that
// arrive together are told apart by trying the lengths a message of n cipher
// blocks can have, shortest first, until one decrypts to JSON.
// Not thread-safe; one reader per connection.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zol {

class RelayMessageReader {
  public:
    // Longest message kept waiting for its end; more is dropped as garbage.
    static constexpr std::size_t kMaxPending = 65536;

    void Append(std::string_view bytes);
    // The plaintext of the next complete message, or nothing for now.
    std::optional<std::string> Next();
    std::size_t Pending() const { return buffer_.size(); }

  private:
    std::string buffer_;
};

}  // namespace zol
