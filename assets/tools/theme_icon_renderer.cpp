#include "assets/tools/theme_icon_renderer.h"

#include <QPainter>

#include "assets/tools/svg_artwork.h"

namespace zol {

QImage RenderThemeIcon(const QByteArray& backgroundSvg, const QByteArray& glyphSvg,
                       const IconStateArtwork& state, int size) {
    const QSize pictureSize(size, size);
    QImage picture = RenderSvg(backgroundSvg, pictureSize);
    const QByteArray stateGlyph =
        WithoutGroup(WithColour(glyphSvg, QString::fromStdString(state.glyphColour)),
                     state.lit ? "unlit" : "lit");
    const QImage glyph = RenderSvg(stateGlyph, pictureSize);
    if (picture.isNull() || glyph.isNull()) {
        return {};
    }
    QPainter painter(&picture);
    painter.drawImage(0, 0, glyph);
    painter.end();
    return picture;
}

}  // namespace zol
