#include "client/display/tiles/tile_alert.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QPointer>

#include "client/display/tiles/alert_entry_wrap.h"
#include "client/display/tiles/tile_fonts.h"
#include "client/display/tiles/ui_picture.h"
#include "client/display/zol_client_view.h"
#include "client/model/tile_record.h"
#include "guibase/color_ref.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

constexpr std::uint32_t kBadgeGreen = 0x63B047;
constexpr std::uint32_t kBadgeYellow = 0x67D4FF;
constexpr std::uint32_t kBadgeRed = 0x6767FF;
constexpr int kEntryGap = 10;       // below the line between entries
constexpr int kAfterPicture = 12;   // below an entry's picture
constexpr int kTextAbove = 2;       // the text starts this far above the picture
constexpr int kLineSpacing = 15;    // at least; a taller font keeps its lines apart
constexpr int kSingleLineDrop = 7;  // a one-line text sits lower

QString EntryText(const AlertEntry& entry) {
    const QString message = FromWindows1252(entry.message);
    if (!entry.hasTime())
        return message;
    const QDateTime when(QDate(entry.time.year, entry.time.month, entry.time.day),
                         QTime(entry.time.hour, entry.time.minute, entry.time.second));
    const QLocale locale = QLocale::system();
    return QStringLiteral("%1 %2: %3")
        .arg(locale.toString(when.date(), QLocale::ShortFormat),
             locale.toString(when.time(), QLocale::ShortFormat), message);
}

}  // namespace

CTileAlert::CTileAlert(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex)
    : CTileWindow(view, displayId, tileIndex, "Alert"),
      noAlert_(LoadUiPicture("NoAlert.png")),
      alert_(LoadUiPicture("Alert.png")) {}

void CTileAlert::UpdateTile(bool layoutOnly, bool) {
    StartRefreshTimer();
    if (!UpdateBase(layoutOnly) || layoutOnly)
        return;
    ReadReport();
}

bool CTileAlert::ReadReport() {
    const DisplayServices& services = View().Services();
    if (services.channel == nullptr)
        return true;
    QPointer<CTileAlert> self(this);
    AlertReport read = report_;
    std::string failure;  // not shown: the tile keeps what it shows
    const int code = ReadAlertReport(*services.channel, read, failure);
    if (!self)
        return false;
    if (code == 0) {
        report_ = std::move(read);
        update();
    }
    return true;
}

bool CTileAlert::RefreshContent() {
    const TileRecord* record = Record();
    if (record == nullptr)
        return true;
    if (record->refreshMode == 0)
        return ReadReport();
    return RunRefreshProgram(*record);
}

void CTileAlert::paintEvent(QPaintEvent* event) {
    CTileWindow::paintEvent(event);
    const TileRecord* record = Record();
    if (record == nullptr || report_.alertCount <= 0)
        return;
    QPainter painter(this);
    PaintBadge(painter, *record);
}

void CTileAlert::PaintContent(QPainter& painter, const TileRecord& record) {
    const QRect& content = ContentRect();
    if (report_.entries.empty() && report_.redCount == 0 && report_.yellowCount == 0) {
        if (noAlert_.isNull())
            return;
        const int x = content.left() + std::max(0, (content.width() - noAlert_.width()) / 2);
        const int y = content.top() + std::max(0, (content.height() - noAlert_.height()) / 2);
        painter.drawImage(x, y, noAlert_);
        return;
    }
    PaintEntries(painter, record);
}

void CTileAlert::PaintEntries(QPainter& painter, const TileRecord& record) {
    const QRect& content = ContentRect();
    const QSize picture =
        alert_.isNull() ? QSize(0, 0) : QSize(Scaled(alert_.width()), Scaled(alert_.height()));
    const int columnX = content.left() + picture.width() + 10;
    const int columnWidth = content.width() - picture.width() - 20;
    const QFont font = TileFontInPoints("Open Sans Regular", 11, View().ScreenDpi(), 700);
    const QFontMetrics metrics(font);
    painter.save();
    painter.setFont(font);
    const QColor textColor = FromColorRef(static_cast<std::uint32_t>(record.labelColor));

    QStringList texts;
    for (const AlertEntry& entry : report_.entries)
        texts.append(EntryText(entry));
    const std::string inspector = DesignInspectorText(report_.redCount, report_.yellowCount);
    if (!inspector.empty())
        texts.append(FromWindows1252(inspector));

    int y = content.top();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0) {
            painter.setPen(QPen(Qt::white, 1));
            painter.drawLine(content.left(), y, content.right(), y);
            y += Scaled(kEntryGap);
        }
        if (y + picture.height() > content.bottom())
            break;
        if (!alert_.isNull())
            painter.drawImage(QRect(QPoint(content.left(), y), picture), alert_);
        const QStringList lines =
            WrapAlertEntry(texts[i], columnWidth,
                           [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
        int baseline = y - Scaled(kTextAbove) + metrics.ascent();
        if (lines.size() == 1)
            baseline += Scaled(kSingleLineDrop);
        painter.setPen(textColor);
        painter.save();
        painter.setClipRect(
            QRect(columnX, content.top(), std::max(0, columnWidth), content.height()));
        for (const QString& line : lines) {
            painter.drawText(columnX, baseline, line);
            baseline += std::max(Scaled(kLineSpacing), metrics.height());
        }
        painter.restore();
        y += picture.height() + Scaled(kAfterPicture);
    }
    painter.restore();
}

void CTileAlert::PaintBadge(QPainter& painter, const TileRecord& record) {
    const QFont font = TileFontInPoints("Open Sans Semi Bold", 20, View().ScreenDpi(), 700);
    const QFontMetrics metrics(font);
    const QString text = QStringLiteral("  %1  ").arg(report_.alertCount);
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.height() - 4;
    QPoint label = LabelRect().topLeft();
    if (Label().empty()) {
        // No label to sit beside: the badge takes the label's corner.
        label = QPoint(TileRect().right() - Scaled(kLabelRightOffset) + 10,
                       TileRect().bottom() - Scaled(kLabelBottomOffset) - metrics.height());
    }
    const QRect badge(label.x() - 10 - width, label.y() + 3, width, height);
    const std::uint32_t color = report_.alertSeverity == AlertRed      ? kBadgeRed
                                : report_.alertSeverity == AlertYellow ? kBadgeYellow
                                                                       : kBadgeGreen;
    painter.fillRect(badge, FromColorRef(color));
    painter.setFont(font);
    painter.setPen(FromColorRef(static_cast<std::uint32_t>(record.labelColor)));
    painter.drawText(badge, Qt::AlignCenter, text);
}

}  // namespace zol
