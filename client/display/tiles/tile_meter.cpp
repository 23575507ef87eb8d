#include "client/display/tiles/tile_meter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPointer>

#include <cmath>
#include <numbers>

#include "client/display/tiles/meter_reading.h"
#include "client/display/tiles/tile_fonts.h"
#include "client/display/tiles/ui_picture.h"
#include "client/display/zol_client_view.h"
#include "client/model/design.h"
#include "guibase/color_ref.h"

namespace zol {

namespace {

constexpr int kPivotX = 111;  // in the gauge picture
constexpr int kPivotY = 125;
constexpr int kNeedleLength = 90;
constexpr int kNeedleHalfBase = 6;
constexpr int kHubDiameter = 20;
constexpr int kWattsBottom = 60;  // "WATTS" ends this far below the pivot, plus 4
constexpr int kValueTop = 20;     // the value starts this far below the pivot

}  // namespace

CTileMeter::CTileMeter(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex)
    : CTileWindow(view, displayId, tileIndex, "Meter"), gauge_(LoadUiPicture("Meter.png")) {}

void CTileMeter::UpdateTile(bool layoutOnly, bool) {
    if (!UpdateBase(layoutOnly) || layoutOnly)
        return;
    StartRefreshTimer();
}

void CTileMeter::ObjectChanged(std::int32_t objectId) {
    const Design* design = View().CurrentDesign();
    const DesignObject* object = design != nullptr ? design->FindObject(objectId) : nullptr;
    if (object != nullptr && object->metered != 0)
        update();
}

bool CTileMeter::RefreshContent() {
    return RepaintOrRunRefreshProgram();
}

void CTileMeter::PaintContent(QPainter& painter, const TileRecord& record) {
    const MeterTileData* tileData = record.DataAs<MeterTileData>();
    const Design* design = View().CurrentDesign();
    if (tileData == nullptr || design == nullptr || gauge_.isNull())
        return;
    const QRect& content = ContentRect();
    const QSize size(Scaled(gauge_.width()), Scaled(gauge_.height()));
    const QRect picture(content.left() + (content.width() - size.width()) / 2,
                        content.top() + (content.height() - size.height()) / 2, size.width(),
                        size.height());
    const MeterReading reading = ReadMeter(*design, *tileData);
    const QPointF pivot(picture.left() + Scaled(kPivotX), picture.top() + Scaled(kPivotY));

    painter.save();
    painter.setClipRect(picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(picture, gauge_);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // 0° points left, 90° up, 180° right.
    const double radians = reading.angle * std::numbers::pi / 180.0;
    const QPointF direction(-std::cos(radians), -std::sin(radians));
    const QPointF across(-direction.y(), direction.x());
    const QPointF tip = pivot + direction * Scaled(kNeedleLength);
    QPainterPath needle;
    needle.moveTo(tip);
    needle.lineTo(pivot + across * Scaled(kNeedleHalfBase));
    needle.lineTo(pivot - across * Scaled(kNeedleHalfBase));
    needle.closeSubpath();
    painter.fillPath(needle, Qt::white);
    const qreal hub = Scaled(kHubDiameter) / 2.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(pivot, hub, hub);

    const int dpi = View().ScreenDpi();
    const QFont small = TileFontInPoints("Open Sans Bold", 10, dpi, 400);
    const QFont large = TileFontInPoints("Open Sans Bold", 16, dpi, 400);
    const QString watts = QStringLiteral("WATTS");
    const QFontMetrics smallMetrics(small);
    const int wattsWidth = smallMetrics.horizontalAdvance(watts);
    const int wattsBottom = static_cast<int>(pivot.y()) + Scaled(kWattsBottom) + 4;
    painter.setFont(small);
    painter.setPen(Qt::white);
    painter.drawText(QRect(static_cast<int>(pivot.x()) - wattsWidth / 2,
                           wattsBottom - smallMetrics.height(), wattsWidth, smallMetrics.height()),
                     Qt::AlignCenter, watts);
    const QString value = QString::number(reading.watts);
    const QFontMetrics largeMetrics(large);
    const int valueWidth = largeMetrics.horizontalAdvance(value);
    painter.setFont(large);
    painter.setPen(FromColorRef(MeterTextColor(reading.angle)));
    painter.drawText(
        QRect(static_cast<int>(pivot.x()) - valueWidth / 2,
              static_cast<int>(pivot.y()) + Scaled(kValueTop), valueWidth, largeMetrics.height()),
        Qt::AlignCenter, value);
    painter.restore();
}

}  // namespace zol
