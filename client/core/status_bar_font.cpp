#include "client/core/status_bar_font.h"

#include <array>
#include <cstdio>
#include <limits>

namespace zol {

namespace {

constexpr std::size_t kNumberCount = 13;

// atoi without its undefined behaviour on overflow: saturates at the int range.
std::int32_t ReadInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit)
            value = kLimit;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        value = std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

// The byte fields of the record keep the low byte, as storing an int into a
// BYTE does.
std::uint8_t LowByte(std::int32_t n) {
    return static_cast<std::uint8_t>(n & 0xFF);
}

}  // namespace

LogFont DecodeStatusBarFont(std::string_view text) {
    std::array<std::string_view, kNumberCount> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < kNumberCount; ++i) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            return DecodeStatusBarFont(kDefaultStatusBarFontText);
        }
        fields[i] = text.substr(start, comma - start);
        start = comma + 1;
    }
    LogFont font;
    font.height = ReadInt(fields[0]);
    font.width = ReadInt(fields[1]);
    font.escapement = ReadInt(fields[2]);
    font.orientation = ReadInt(fields[3]);
    font.weight = ReadInt(fields[4]);
    font.italic = LowByte(ReadInt(fields[5]));
    font.underline = LowByte(ReadInt(fields[6]));
    font.strikeOut = LowByte(ReadInt(fields[7]));
    font.charSet = LowByte(ReadInt(fields[8]));
    font.outPrecision = LowByte(ReadInt(fields[9]));
    font.clipPrecision = LowByte(ReadInt(fields[10]));
    font.quality = LowByte(ReadInt(fields[11]));
    font.pitchAndFamily = LowByte(ReadInt(fields[12]));
    font.faceName = std::string(text.substr(start, kMaxFaceNameLength));
    return font;
}

std::string EncodeStatusBarFont(const LogFont& font) {
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, "%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,", font.height,
                  font.width, font.escapement, font.orientation, font.weight, font.italic,
                  font.underline, font.strikeOut, font.charSet, font.outPrecision,
                  font.clipPrecision, font.quality, font.pitchAndFamily);
    return numbers + font.faceName.substr(0, kMaxFaceNameLength);
}

}  // namespace zol
