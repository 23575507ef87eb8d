// A font described as the fields of a Windows logical-font record (LOGFONTA):
// the status bar's font setting and the font of text tiles.
#pragma once

#include <cstdint>
#include <string>

namespace zol {

// Longest face name a logical-font record holds (32 bytes with terminator).
inline constexpr std::size_t kMaxFaceNameLength = 31;

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

}  // namespace zol
