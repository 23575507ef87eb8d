// Windows-1252, the single-byte code page of every text on the wire, in the
// settings file and on the programs' command lines. Its five unassigned
// bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 controls of the same
// number, as Windows converts them, so every byte survives a round trip.
// Pure functions.
#pragma once

#include <string>
#include <string_view>

namespace zol {

// The character a byte stands for.
char32_t Windows1252ToUnicode(unsigned char byte);

// The byte of a character, '?' for one that Windows-1252 lacks.
char UnicodeToWindows1252(char32_t c);

// UTF-8 text in Windows-1252; bytes that are not UTF-8 (stray, cut short or
// overlong) become '?' each.
std::string Utf8ToWindows1252(std::string_view bytes);

}  // namespace zol
