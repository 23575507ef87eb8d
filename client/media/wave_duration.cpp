#include "client/media/wave_duration.h"

#include <cstdint>

namespace zol {

namespace {

std::uint32_t Little32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

}  // namespace

std::optional<std::chrono::milliseconds> WaveDuration(std::string_view head) {
    if (head.size() < 12 || head.substr(0, 4) != "RIFF" || head.substr(8, 4) != "WAVE")
        return std::nullopt;
    std::uint32_t byteRate = 0;
    for (std::size_t at = 12; at + 8 <= head.size();) {
        const std::string_view id = head.substr(at, 4);
        const std::uint32_t size = Little32(head, at + 4);
        if (id == "fmt " && at + 20 <= head.size())
            byteRate = Little32(head, at + 16);
        if (id == "data") {
            if (byteRate == 0)
                return std::nullopt;
            return std::chrono::milliseconds(std::uint64_t{size} * 1000 / byteRate);
        }
        // Chunks are padded to an even length.
        const std::uint64_t next = std::uint64_t{at} + 8 + size + (size & 1);
        if (next > head.size())
            return std::nullopt;
        at = static_cast<std::size_t>(next);
    }
    return std::nullopt;
}

}  // namespace zol
