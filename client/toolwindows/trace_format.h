// How the remote access viewer shows a message: a field list as its fields
// separated by " | ", anything else (greeting frames, broken frames) as its
// bytes; bytes that are not printable appear as \r, \n, \t or \xNN, so a
// line never breaks and nothing is hidden. Long messages are cut.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zol {

// Characters of readable text kept per message; the rest is summarised.
inline constexpr std::size_t kMaxReadableTraceLength = 2000;

// `bytes` may be a cut copy of a longer message of `fullLength` bytes.
std::string ReadableTrace(std::string_view bytes, std::size_t fullLength);

}  // namespace zol
