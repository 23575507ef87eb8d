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

}  // namespace zol
