#include "simulator/hex_chunks.h"

namespace zol {

std::uint32_t ByteSum(std::string_view bytes) {
    std::uint32_t sum = 0;
    for (char c : bytes) {
        sum += static_cast<unsigned char>(c);
    }
    return sum;
}

std::int32_t WireByteSum(std::string_view bytes) {
    return static_cast<std::int32_t>(ByteSum(bytes));
}

std::string ToHex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

std::string_view FileChunk(std::string_view bytes, std::size_t index) {
    if (index >= ChunkCount(bytes.size()) || bytes.empty()) {
        return {};
    }
    return bytes.substr(index * kFileChunkBytes, kFileChunkBytes);
}

std::size_t ChunkCount(std::size_t size) {
    return size == 0 ? 1 : (size + kFileChunkBytes - 1) / kFileChunkBytes;
}

}  // namespace zol
