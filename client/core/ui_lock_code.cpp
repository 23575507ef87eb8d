#include "client/core/ui_lock_code.h"
#include "platform/ascii_text.h"

namespace zol {

UiLockCode DecodeUiLockCode(std::string_view text) {
    UiLockCode code{};
    std::string digits;
    for (char c : text) {
        if (c == ' ')
            continue;
        if (HexDigitValue(c) < 0)
            return code;
        digits += c;
    }
    if (digits.size() % 2 != 0)
        digits += '0';
    for (std::size_t i = 0; i + 1 < digits.size() && i / 2 < code.size(); i += 2) {
        code[i / 2] =
            static_cast<std::uint8_t>(HexDigitValue(digits[i]) * 16 + HexDigitValue(digits[i + 1]));
    }
    return code;
}

std::string EncodeUiLockCode(const UiLockCode& code) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(code.size() * 2);
    for (std::uint8_t b : code) {
        text += kHex[b >> 4];
        text += kHex[b & 0x0F];
    }
    return text;
}

}  // namespace zol
