// One SVG source turned into a picture: the source may draw with
// "currentColor" and write the word LABEL (both filled in per picture), and
// may mark groups with id="lit" or
// id="unlit" (parts shown only when a theme icon is on or dimmed, or only
// when it is off).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace zol {

// Replaces every "currentColor" of `svg` by `colour` ("#RRGGBB"); an empty
// colour leaves the text as it is.
QByteArray WithColour(const QByteArray& svg, const QString& colour);

// Replaces every word LABEL of `svg` by `label` (XML-escaped); an empty
// label leaves the text as it is.
QByteArray WithLabel(const QByteArray& svg, const QString& label);

// Hides the groups whose id is `hiddenId` (display="none"); every other
// group stays as drawn.
QByteArray WithoutGroup(const QByteArray& svg, const QByteArray& hiddenId);

// Renders `svg` scaled to fill `size`, on transparent pixels. Returns a null
// image when the text is not a valid SVG document.
QImage RenderSvg(const QByteArray& svg, QSize size);

}  // namespace zol
