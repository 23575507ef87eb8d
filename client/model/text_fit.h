// Choosing the largest of an icon set's fonts in which a text fits a box,
// for texts drawn into icons.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "client/model/icon_set.h"

namespace zol {

struct FittedText {
    int fontIndex = -1;  // into IconSet::fonts; -1 when no font fits
    int lineCount = 1;   // the text split at its first line feed
    std::array<std::string, 2> lines;
    std::array<int, 2> widths{};  // of each line in the chosen font
    std::array<int, 2> heights{};
};

// Tries the fonts from the largest down: a line fits when its width is less
// than `width` and (the sum of) the line heights less than `height`.
FittedText FitTextFont(const IconSet& set, std::string_view text, int width, int height);

}  // namespace zol
