#include "client/core/alert_icon.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

#include "client/core/alert.h"

namespace zol {

QColor AlertAccentColor(AlertIcon icon) {
    switch (icon) {
        case AlertIcon::Stop:
            return QColor(0xC6, 0x28, 0x28);
        case AlertIcon::Question:
            return QColor(0x15, 0x65, 0xC0);
        case AlertIcon::Exclamation:
            return QColor(0xE0, 0x86, 0x00);
        case AlertIcon::Information:
            return QColor(0x00, 0x83, 0x8F);
    }
    return QColor(0x15, 0x65, 0xC0);
}

namespace {

QPainterPath Octagon(const QRectF& r) {
    QPolygonF points;
    const QPointF c = r.center();
    const qreal radius = r.width() / 2 / std::cos(M_PI / 8);
    for (int i = 0; i < 8; ++i) {
        const qreal angle = M_PI / 8 + i * M_PI / 4;
        points << QPointF(c.x() + radius * std::cos(angle) * std::cos(M_PI / 8),
                          c.y() + radius * std::sin(angle) * std::cos(M_PI / 8));
    }
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

QPainterPath Triangle(const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.center().x(), r.top() + r.height() * 0.04);
    path.lineTo(r.right() - r.width() * 0.02, r.bottom() - r.height() * 0.06);
    path.lineTo(r.left() + r.width() * 0.02, r.bottom() - r.height() * 0.06);
    path.closeSubpath();
    return path;
}

}  // namespace

QPixmap DrawAlertIcon(AlertIcon icon, int size, qreal devicePixelRatio) {
    QPixmap pixmap(static_cast<int>(size * devicePixelRatio),
                   static_cast<int>(size * devicePixelRatio));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF box(0, 0, size, size);
    const QColor accent = AlertAccentColor(icon);

    QPainterPath shape;
    QString glyph;
    qreal glyphTop = 0;
    switch (icon) {
        case AlertIcon::Stop:
            shape = Octagon(box.adjusted(1, 1, -1, -1));
            break;
        case AlertIcon::Question:
            shape.addEllipse(box.adjusted(1, 1, -1, -1));
            glyph = QStringLiteral("?");
            break;
        case AlertIcon::Exclamation:
            shape = Triangle(box);
            glyph = QStringLiteral("!");
            glyphTop = size * 0.14;
            break;
        case AlertIcon::Information:
            shape.addEllipse(box.adjusted(1, 1, -1, -1));
            glyph = QStringLiteral("i");
            break;
    }
    p.fillPath(shape, accent);

    if (icon == AlertIcon::Stop) {
        // A white bar: "not possible".
        const qreal h = size * 0.16;
        p.fillRect(QRectF(size * 0.22, (size - h) / 2, size * 0.56, h), Qt::white);
        return pixmap;
    }
    QFont font(QStringLiteral("Open Sans"));
    font.setBold(true);
    font.setPixelSize(static_cast<int>(size * 0.62));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(box.adjusted(0, glyphTop, 0, 0), Qt::AlignCenter, glyph);
    return pixmap;
}

}  // namespace zol
