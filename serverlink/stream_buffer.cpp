#include "serverlink/stream_buffer.h"

#include <algorithm>

namespace zol {

std::size_t StreamBuffer::Append(std::string_view bytes) {
    std::size_t taken = std::min(bytes.size(), Room());
    bytes_.append(bytes.data(), taken);
    return taken;
}

void StreamBuffer::Consume(std::size_t count) {
    bytes_.erase(0, std::min(count, bytes_.size()));
}

}  // namespace zol
