// Choosing the largest of an icon set's fonts in which a text fits a box,
// for texts drawn into icons.
#pragma once

#include <array>
#include <compare>
#include <map>
#include <memory>
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

// FitTextFont's answers kept for one icon set: the items of a list mostly
// show the same few texts ("On", "Off", levels), and measuring them is most
// of the work of painting a text. A set that changes or syncs new fonts
// starts it afresh.
class TextFitCache {
  public:
    const FittedText& Fit(const IconSet& set, std::string_view text, int width, int height);

  private:
    struct Key {
        std::string text;
        int width = 0;
        int height = 0;
        auto operator<=>(const Key&) const = default;
    };

    const IconSet* set_ = nullptr;
    std::array<std::shared_ptr<const QFont>, kMaxIconSetFonts> fonts_;
    int fontCount_ = 0;
    std::map<Key, FittedText> fits_;
};

}  // namespace zol
