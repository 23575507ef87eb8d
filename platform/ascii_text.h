// Byte-wise text helpers for the single-byte texts of the wire, the settings
// file and command lines. They look at ASCII only and never at the locale,
// so every program classifies the same bytes the same way.
#pragma once

#include <algorithm>
#include <string_view>

namespace zol {

constexpr char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

// True for a non-empty text of decimal digits only.
constexpr bool AllDecimalDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDecimalDigit);
}

// The value of a hexadecimal digit in either case, or -1.
constexpr int HexDigitValue(char c) {
    if (IsDecimalDigit(c))
        return c - '0';
    c = LowerAscii(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

constexpr bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

// Orders texts as EqualsNoCase compares them: byte by byte (unsigned) after
// LowerAscii.
constexpr bool LessNoCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(LowerAscii(x)) <
               static_cast<unsigned char>(LowerAscii(y));
    });
}

// A command-line word split at its first colon: "/Port:2001" gives the name
// "/Port" and the value "2001"; a word without a colon is all name.
struct SwitchWord {
    std::string_view name;
    std::string_view value;
};

constexpr SwitchWord SplitSwitchWord(std::string_view word) {
    const std::size_t colon = word.find(':');
    if (colon == std::string_view::npos)
        return {word, {}};
    return {word.substr(0, colon), word.substr(colon + 1)};
}

}  // namespace zol
