// File contents as the server sends them: two hexadecimal digits per byte,
// high half first, in either letter case.
#pragma once

#include <string>
#include <string_view>

namespace zol {

// A chunk with an odd number of digits or another character.
inline constexpr int kHexChunkInvalid = 5;

// Appends the bytes of `hex` to `out`: 0, or kHexChunkInvalid with `out`
// unchanged.
int AppendHexBytes(std::string_view hex, std::string& out);

}  // namespace zol
