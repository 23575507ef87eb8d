// The UI lock code: the 16-byte MD5 digest of the unlock code, kept in the
// UILockCode setting as hexadecimal text.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zol {

using UiLockCode = std::array<std::uint8_t, 16>;

inline constexpr const char* kDefaultUiLockCodeText = "629148305716";

// Blanks at both ends are trimmed and blanks between digits skipped; the hex
// digits fill the bytes high digit first, an odd count gaining a trailing
// "0"; digits past 16 bytes are ignored and missing bytes stay zero. Any
// other character leaves the whole code zero.
UiLockCode DecodeUiLockCode(std::string_view text);
// 32 upper-case hexadecimal digits.
std::string EncodeUiLockCode(const UiLockCode& code);
// The MD5 digest (RFC 1321) of an unlock code as typed: what the lock code
// keeps, and what an entered code is compared with.
UiLockCode UnlockCodeDigest(std::string_view code);

}  // namespace zol
