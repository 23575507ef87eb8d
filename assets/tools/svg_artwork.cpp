#include "assets/tools/svg_artwork.h"

#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

namespace zol {

QByteArray WithColour(const QByteArray& svg, const QString& colour) {
    if (colour.isEmpty()) {
        return svg;
    }
    QByteArray result = svg;
    return result.replace("currentColor", colour.toLatin1());
}

QByteArray WithLabel(const QByteArray& svg, const QString& label) {
    if (label.isEmpty()) {
        return svg;
    }
    QByteArray result = svg;
    return result.replace("LABEL", label.toHtmlEscaped().toUtf8());
}

QByteArray WithoutGroup(const QByteArray& svg, const QByteArray& hiddenId) {
    // Matches the id attribute with either quote style.
    const QRegularExpression idAttribute(
        QStringLiteral("(\\bid\\s*=\\s*([\"'])%1\\2)")
            .arg(QRegularExpression::escape(QString::fromLatin1(hiddenId))));
    QString text = QString::fromUtf8(svg);
    text.replace(idAttribute, QStringLiteral("\\1 display=\"none\""));
    return text.toUtf8();
}

QImage RenderSvg(const QByteArray& svg, QSize size) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid() || size.isEmpty()) {
        return {};
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

}  // namespace zol
