#include "client/model/text_fit.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

namespace zol {

FittedText FitTextFont(const IconSet& set, std::string_view text, int width, int height) {
    FittedText fitted;
    const std::size_t feed = text.find('\n');
    fitted.lineCount = feed == std::string_view::npos ? 1 : 2;
    fitted.lines[0] = std::string(text.substr(0, feed));
    if (fitted.lineCount == 2)
        fitted.lines[1] = std::string(text.substr(feed + 1));

    for (int index = std::min(set.fontCount, kMaxIconSetFonts) - 1; index >= 0; --index) {
        const auto& font = set.fonts[static_cast<std::size_t>(index)];
        if (!font)
            continue;
        const QFontMetrics metrics(*font);
        int totalHeight = 0;
        bool fits = true;
        for (int line = 0; line < fitted.lineCount; ++line) {
            const std::string& bytes = fitted.lines[static_cast<std::size_t>(line)];
            const QString shown =
                QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
            fitted.widths[static_cast<std::size_t>(line)] = metrics.horizontalAdvance(shown);
            fitted.heights[static_cast<std::size_t>(line)] = metrics.height();
            totalHeight += metrics.height();
            fits = fits && fitted.widths[static_cast<std::size_t>(line)] < width;
        }
        if (fits && totalHeight < height) {
            fitted.fontIndex = index;
            return fitted;
        }
    }
    fitted.widths = {};
    fitted.heights = {};
    return fitted;
}

const FittedText& TextFitCache::Fit(const IconSet& set, std::string_view text, int width,
                                    int height) {
    // Texts of levels and statuses vary without end; the few that repeat
    // come back at once after a clear.
    constexpr std::size_t kMostKept = 256;
    if (&set != set_ || set.fonts != fonts_ || set.fontCount != fontCount_ ||
        fits_.size() >= kMostKept) {
        set_ = &set;
        fonts_ = set.fonts;
        fontCount_ = set.fontCount;
        fits_.clear();
    }
    Key key{std::string(text), width, height};
    auto found = fits_.find(key);
    if (found == fits_.end())
        found = fits_.emplace(std::move(key), FitTextFont(set, text, width, height)).first;
    return found->second;
}

}  // namespace zol
