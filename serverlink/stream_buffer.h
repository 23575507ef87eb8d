// StreamBuffer: received bytes of the server connection that the frame
// splitter has not cut into frames yet, bounded at 65,535 bytes.
// Thread-safety: none; the server link guards it with its stream lock.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zol {

inline constexpr std::size_t kStreamBufferCapacity = 65535;

class StreamBuffer {
  public:
    // Appends as many bytes as fit; returns how many that was.
    std::size_t Append(std::string_view bytes);
    // Removes `count` bytes from the front.
    void Consume(std::size_t count);
    void Clear() { bytes_.clear(); }

    std::string_view Contents() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }
    std::size_t Room() const { return kStreamBufferCapacity - bytes_.size(); }

  private:
    std::string bytes_;
};

}  // namespace zol
