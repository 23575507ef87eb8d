// The status bar's font as kept in the StatusBarFont setting: the fields of a
// Windows logical-font record as thirteen decimal numbers and a face name,
// separated by commas.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zol {

// Longest face name a logical-font record holds (32 bytes with terminator).
inline constexpr std::size_t kMaxFaceNameLength = 31;
// Character height 35, normal weight, variable pitch, "Open Sans Light".
inline constexpr const char* kDefaultStatusBarFontText =
    "-35,0,0,0,400,0,0,0,0,0,0,0,32,Open Sans Light";

struct LogFont {
    std::int32_t height = 0;  // negative: character height; positive: cell height
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string faceName;

    bool operator==(const LogFont&) const = default;
};

// Reads "h,w,esc,orient,weight,italic,underline,strike,charset,out,clip,
// quality,pitch,face". Numbers read like atoi (leading blanks, sign, digits;
// anything else ends the number; out-of-range values saturate instead of
// being undefined); everything after the thirteenth comma is the face, cut to
// 31 characters. A text with fewer than thirteen commas is not a font record
// and yields the default status-bar font.
LogFont DecodeStatusBarFont(std::string_view text);
std::string EncodeStatusBarFont(const LogFont& font);

}  // namespace zol
