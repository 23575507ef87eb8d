// Base64 as the cloud relay carries its encrypted messages: the standard
// alphabet with '=' padding and no line breaks. Decoding stops at the first
// '=' or at the first character outside the alphabet; bits of an incomplete
// last byte are dropped.
// Pure functions; safe from any thread.
#pragma once

#include <string>
#include <string_view>

namespace zol {

std::string Base64Encode(std::string_view bytes);
std::string Base64Decode(std::string_view text);

}  // namespace zol
