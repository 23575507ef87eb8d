// Draws one picture of a theme icon: the state's background shape with the
// icon's glyph on top, in the state's glyph colour.
#pragma once

#include <QByteArray>
#include <QImage>

#include "assets/tools/artwork_manifest.h"

namespace zol {

// `backgroundSvg` and `glyphSvg` are the SVG texts; the picture is
// `size` × `size` pixels. Returns a null image when either source is not SVG.
QImage RenderThemeIcon(const QByteArray& backgroundSvg, const QByteArray& glyphSvg,
                       const IconStateArtwork& state, int size);

}  // namespace zol
