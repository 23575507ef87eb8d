#include "client/display/tiles/tile_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPointer>

#include <array>
#include <cstdlib>

#include "client/display/tiles/tile_fonts.h"
#include "client/display/zol_client_view.h"
#include "client/model/tile_record.h"
#include "guibase/color_ref.h"
#include "guibase/font_conversion.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

constexpr int kMaxLines = 16;
constexpr std::array<int, 17> kFitPoints{80, 70, 60, 50, 40, 30, 20, 19, 18,
                                         17, 16, 15, 14, 13, 12, 11, 10};
constexpr int kSmallestFitPoints = 10;

int LineHeight(const QFontMetrics& metrics) {
    return metrics.height() + metrics.leading();
}

}  // namespace

QStringList TextTileLines(const QString& text) {
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (lines.size() > kMaxLines)
        lines = lines.mid(0, kMaxLines);
    for (QString& line : lines) {
        qsizetype first = 0;
        qsizetype last = line.size();
        while (first < last && line[first] == u' ')
            ++first;
        while (last > first && line[last - 1] == u' ')
            --last;
        line = line.mid(first, last - first);
    }
    return lines;
}

CTileText::CTileText(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex)
    : CTileWindow(view, displayId, tileIndex, "Text") {}

void CTileText::UpdateTile(bool layoutOnly, bool force) {
    if (!UpdateBase(layoutOnly) || layoutOnly)
        return;
    const TileRecord* record = Record();
    const TextTileData* tileData = record != nullptr ? record->DataAs<TextTileData>() : nullptr;
    if (tileData != nullptr && (force || tileData->text != rawText_)) {
        rawText_ = tileData->text;
        QPointer<CTileText> self(this);
        std::optional<std::string> shown = FormatTileText(rawText_);
        if (!self)
            return;
        shownText_ = shown.value_or(rawText_);
        update();
    }
    StartRefreshTimer();
}

void CTileText::OnViewResized() {
    UpdateTile(true, false);
}

bool CTileText::RefreshContent() {
    const TileRecord* record = Record();
    if (record == nullptr)
        return true;
    if (record->refreshMode == 1)
        return RunRefreshProgram(*record);
    QPointer<CTileText> self(this);
    std::optional<std::string> shown = FormatTileText(rawText_, true);
    if (!self)
        return false;
    if (shown && *shown != shownText_) {
        shownText_ = *shown;
        update();
    }
    return true;
}

QFont CTileText::ContentFont(const TextTileData& tileData, const QStringList& lines) const {
    const int dpi = View().ScreenDpi();
    if (tileData.autoFit == 0) {
        const LogFont& f = tileData.font;
        QFont font = TileFont(f.faceName, PointsToFontHeight(std::abs(f.height), dpi), f.weight);
        font.setItalic(f.italic != 0);
        font.setUnderline(f.underline != 0);
        font.setStrikeOut(f.strikeOut != 0);
        return font;
    }
    const QRect& content = ContentRect();
    for (int points : kFitPoints) {
        QFont font = TileFontInPoints("Arial", points, dpi, 400);
        const QFontMetrics metrics(font);
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        if (widest <= content.width() &&
            static_cast<std::int64_t>(lines.size()) * LineHeight(metrics) <= content.height())
            return font;
    }
    return TileFontInPoints("Arial", kSmallestFitPoints, dpi, 400);
}

void CTileText::PaintContent(QPainter& painter, const TileRecord& record) {
    const TextTileData* tileData = record.DataAs<TextTileData>();
    const QRect& content = ContentRect();
    if (tileData == nullptr || content.isEmpty())
        return;
    painter.fillRect(content, FromColorRef(static_cast<std::uint32_t>(record.backColor)));
    const QStringList lines = TextTileLines(FromWindows1252(shownText_));
    const QFont font = ContentFont(*tileData, lines);
    const QFontMetrics metrics(font);
    const int lineHeight = LineHeight(metrics);
    const int blockHeight = static_cast<int>(lines.size()) * lineHeight;
    const Qt::Alignment horizontal = tileData->alignment == 1   ? Qt::AlignLeft
                                     : tileData->alignment == 2 ? Qt::AlignRight
                                                                : Qt::AlignHCenter;
    painter.save();
    painter.setClipRect(content);
    painter.setFont(font);
    painter.setPen(FromColorRef(static_cast<std::uint32_t>(record.labelColor)));
    int y = content.top() + (content.height() - blockHeight) / 2;
    for (const QString& line : lines) {
        painter.drawText(QRect(content.left(), y, content.width(), lineHeight),
                         horizontal | Qt::AlignTop | Qt::TextSingleLine, line);
        y += lineHeight;
    }
    painter.restore();
}

}  // namespace zol
