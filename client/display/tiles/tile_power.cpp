#include "client/display/tiles/tile_power.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolTip>

#include <array>

#include "client/core/client_settings.h"
#include "client/display/tiles/graph_key.h"
#include "client/display/tiles/tile_fonts.h"
#include "client/display/zol_client_view.h"
#include "client/model/design.h"
#include "guibase/color_ref.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

constexpr std::int32_t kWholeDisplayTileId = 100;
constexpr std::array<int, 5> kTextPoints{10, 9, 8, 7, 6};
constexpr int kAxisGap = 8;      // between the axis labels and the plot
constexpr int kNameGap = 5;      // between the plot and the names
constexpr int kTitleAbove = 30;  // the title's centre above the tile's bottom
constexpr int kGridLines = 11;

QFont FittingFont(int dpi, int weight, const std::function<bool(const QFontMetrics&)>& fits) {
    for (int points : kTextPoints) {
        QFont font = TileFontInPoints("Arial", points, dpi, weight);
        if (fits(QFontMetrics(font)))
            return font;
    }
    return TileFontInPoints("Arial", kTextPoints.back(), dpi, weight);
}

}  // namespace

CTilePower::CTilePower(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex)
    : CTileWindow(view, displayId, tileIndex, "Power") {}

bool CTilePower::WholeDisplay() const {
    const TileRecord* record = Record();
    return record != nullptr && record->tileId == kWholeDisplayTileId;
}

void CTilePower::UpdateTile(bool layoutOnly, bool force) {
    if (!UpdateBase(layoutOnly))
        return;
    if (!layoutOnly && force && !ReadGraph(false))
        return;
    StartRefreshTimer();
}

bool CTilePower::ReadGraph(bool quiet) {
    const DisplayServices& services = View().Services();
    const TileRecord* record = Record();
    const PowerTileData* tileData = record != nullptr ? record->DataAs<PowerTileData>() : nullptr;
    Design* design = View().CurrentDesign();
    if (tileData == nullptr || design == nullptr || services.channel == nullptr ||
        services.reporter == nullptr)
        return true;
    const DisplayRecord* display = design->FindDisplay(tileData->displayId);
    if (display == nullptr)
        return true;
    const std::string name = display->name;
    QPointer<CTilePower> self(this);
    PowerGraph read;
    const int code =
        ReadPowerGraph(*services.channel, *services.reporter, name, *design, !quiet, read);
    if (!self)
        return false;
    // A refresh keeps the last good graph; an update shows what came.
    if (code != 0 && quiet)
        return true;
    graph_ = std::move(read);
    Relayout();
    update();
    return true;
}

bool CTilePower::RefreshContent() {
    const TileRecord* record = Record();
    if (record == nullptr)
        return true;
    if (record->refreshMode != 1)
        return ReadGraph(true);
    return RunRefreshProgram(*record);
}

void CTilePower::ObjectChanged(std::int32_t objectId) {
    const Design* design = View().CurrentDesign();
    if (design == nullptr || !ApplyObjectChange(graph_, *design, objectId))
        return;
    Relayout();
    update();
}

QString CTilePower::AxisFormat() const {
    if (!WholeDisplay())
        return QStringLiteral("%1");
    return graph_.stacked ? QStringLiteral("%1 w/hr") : QStringLiteral("%1 watts");
}

QRect CTilePower::PlotRect(QFont& axisFont, QFont& nameFont) const {
    const QRect& content = ContentRect();
    const int dpi = View().ScreenDpi();
    std::int64_t largestValue = 0;
    int longestName = 0;
    const QFontMetrics largest(TileFontInPoints("Arial", kTextPoints.front(), dpi, 400));
    for (const GraphBar& bar : graph_.bars) {
        largestValue = std::max(largestValue, bar.value);
        longestName = std::max(longestName, largest.horizontalAdvance(FromWindows1252(bar.name)));
    }
    const QString topLabel = AxisFormat().arg(AxisMaximum(largestValue));
    // Names stand under the plot, in at most two fifths of the height.
    const int nameSpace = std::min(longestName + kNameGap, content.height() * 2 / 5);
    QRect plot;
    // The axis labels keep their largest size: the panel is read from afar.
    const int axisSpace = largest.horizontalAdvance(topLabel) + kAxisGap + 4;
    if (WholeDisplay()) {
        plot = content.adjusted(std::max(Scaled(50), axisSpace), Scaled(20), -Scaled(50),
                                -(Scaled(40) + nameSpace));
    } else {
        plot = content.adjusted(axisSpace, largest.height() / 2, -Scaled(8), -nameSpace);
    }
    const int axisRoom = plot.left() - content.left() - kAxisGap;
    axisFont = FittingFont(
        dpi, 400, [&](const QFontMetrics& m) { return m.horizontalAdvance(topLabel) <= axisRoom; });
    nameFont = FittingFont(dpi, 400, [&](const QFontMetrics& m) {
        int widest = 0;
        for (const GraphBar& bar : graph_.bars)
            widest = std::max(widest, m.horizontalAdvance(FromWindows1252(bar.name)));
        return widest + kNameGap <= nameSpace;
    });
    return plot;
}

void CTilePower::Relayout() {
    laidOutFor_ = ContentRect();
    geometry_ = LayOutGraph(graph_, PlotRect(axisFont_, nameFont_));
    tools_.clear();
    for (std::size_t b = 0; b < graph_.bars.size() && b < geometry_.segments.size(); ++b) {
        const GraphBar& bar = graph_.bars[b];
        for (std::size_t s = 0; s < bar.segments.size() && s < geometry_.segments[b].size(); ++s) {
            const GraphSegment& segment = bar.segments[s];
            tools_.push_back(
                {geometry_.segments[b][s], QStringLiteral("%1 %2%")
                                               .arg(FromWindows1252(segment.label))
                                               .arg(SegmentPercent(segment.value, bar.value))});
        }
    }
    ++toolBuilds_;
}

QString CTilePower::ToolTextAt(const QPoint& point) const {
    for (const Tool& tool : tools_) {
        if (tool.area.contains(point))
            return tool.text;
    }
    return {};
}

bool CTilePower::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = ToolTextAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return CTileWindow::event(event);
}

void CTilePower::mousePressEvent(QMouseEvent* event) {
    CTileWindow::mousePressEvent(event);
    const TileRecord* record = Record();
    if (event->button() != Qt::LeftButton || record == nullptr || record->holdAction != 0 ||
        !WholeDisplay())
        return;
    const ClientSettings* s = View().Services().settings;
    const int shortTap = s != nullptr ? std::max(0, s->tuiShortTapTime) : 500;
    Timers().StartOneShot(kGraphKeyTimerId, std::chrono::milliseconds(shortTap),
                          [this] { OpenGraphKey(); });
}

void CTilePower::mouseReleaseEvent(QMouseEvent* event) {
    Timers().Stop(kGraphKeyTimerId);
    CTileWindow::mouseReleaseEvent(event);
}

void CTilePower::OpenGraphKey() {
    Timers().Stop(kGraphKeyTimerId);
    const std::vector<GraphKeyRow> rows = GraphKeyRows(graph_);
    if (rows.empty())
        return;
    // On the heap: the tile (its parent) may be closed while the key is open.
    QPointer<CGraphKey> key = new CGraphKey(rows, this);
    key->exec();
    delete key.data();
}

void CTilePower::PaintContent(QPainter& painter, const TileRecord& record) {
    const QRect& content = ContentRect();
    if (content.isEmpty())
        return;
    if (laidOutFor_ != content)
        Relayout();
    const QRect& plot = geometry_.plot;
    const QColor textColor = FromColorRef(static_cast<std::uint32_t>(record.labelColor));
    const bool whole = WholeDisplay();
    const std::int64_t top = geometry_.axisMaximum;
    painter.save();
    painter.setFont(axisFont_);
    const QFontMetrics axisMetrics(axisFont_);
    auto axisLabel = [&](std::int64_t value, const QString& format) {
        const int y = plot.bottom() + 1 - static_cast<int>(value * plot.height() / top);
        const QString text = format.arg(value);
        painter.setPen(textColor);
        painter.drawText(QRect(content.left(), y - axisMetrics.height() / 2,
                               plot.left() - content.left() - kAxisGap, axisMetrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, text);
        return y;
    };
    if (whole && !graph_.stacked) {
        for (int i = 0; i < kGridLines; ++i) {
            const int y = axisLabel(top * i / (kGridLines - 1), QStringLiteral("%1 watts"));
            painter.setPen(QPen(FromColorRef(0xC0C0C0), 1, Qt::DotLine));
            painter.drawLine(plot.left(), y, plot.right(), y);
        }
    } else {
        for (std::int64_t value : {std::int64_t{0}, top / 2, top})
            axisLabel(value, AxisFormat());
    }
    for (std::size_t b = 0; b < graph_.bars.size() && b < geometry_.bars.size(); ++b) {
        const GraphBar& bar = graph_.bars[b];
        painter.setPen(QPen(Qt::black, 1));
        if (bar.stacked) {
            for (std::size_t s = 0; s < bar.segments.size() && s < geometry_.segments[b].size();
                 ++s) {
                painter.setBrush(FromColorRef(bar.segments[s].color));
                painter.drawRect(geometry_.segments[b][s].adjusted(0, 0, -1, -1));
            }
        } else if (!bar.segments.empty()) {
            painter.setBrush(FromColorRef(bar.segments.front().color));
            painter.drawRect(geometry_.bars[b].adjusted(0, 0, -1, -1));
        }
    }
    painter.setPen(QPen(Qt::white, 1));
    painter.drawLine(plot.left(), plot.bottom(), plot.right(), plot.bottom());

    painter.setFont(nameFont_);
    painter.setPen(textColor);
    const QFontMetrics nameMetrics(nameFont_);
    for (std::size_t b = 0; b < graph_.bars.size() && b < geometry_.bars.size(); ++b) {
        const QRect& bar = geometry_.bars[b];
        painter.save();
        // Turned to read downwards, centred on the bar.
        painter.translate(bar.center().x() + nameMetrics.height() / 2, plot.bottom() + kNameGap);
        painter.rotate(90);
        painter.drawText(0, nameMetrics.ascent(), FromWindows1252(graph_.bars[b].name));
        painter.restore();
    }
    if (whole && !graph_.stacked) {
        const QFont titleFont = TileFontInPoints("Arial", 11, View().ScreenDpi(), 700);
        const QFontMetrics titleMetrics(titleFont);
        painter.setFont(titleFont);
        const int centreY = TileRect().bottom() - Scaled(kTitleAbove);
        painter.drawText(QRect(content.left(), centreY - titleMetrics.height() / 2, content.width(),
                               titleMetrics.height()),
                         Qt::AlignCenter,
                         QStringLiteral("Total: %1").arg(FromWindows1252(graph_.graphTitle)));
    }
    painter.restore();
}

}  // namespace zol
