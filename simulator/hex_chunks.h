// File transfer helpers: the 32-bit byte sum that tells a current copy, and
// chunks of a file as hexadecimal text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zol {

// Bytes of a file per chunk: 8,000 hexadecimal characters leave room for the
// other reply fields within one field list.
inline constexpr std::size_t kFileChunkBytes = 4000;

// Sum of all bytes as unsigned values, wrapping at 32 bits.
std::uint32_t ByteSum(std::string_view bytes);

// The same sum as the clients hold and read it: a signed 32-bit number, so
// sums from 2^31 on go out negative.
std::int32_t WireByteSum(std::string_view bytes);

// Lower-case hexadecimal, high half first.
std::string ToHex(std::string_view bytes);

// Chunk `index` (0-based) of `bytes`; empty past the end.
std::string_view FileChunk(std::string_view bytes, std::size_t index);

// Number of chunks a file needs; an empty file still has chunk 0.
std::size_t ChunkCount(std::size_t size);

}  // namespace zol
