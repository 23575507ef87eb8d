#include "assets/tools/svg_artwork.h"

#include <gtest/gtest.h>

#include "assets/tools/theme_icon_renderer.h"

namespace zol {
namespace {

// A 10 x 10 source: the left half drawn in currentColor, a "lit" square at
// the top right and an "unlit" square at the bottom right.
const QByteArray kGlyph =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\" viewBox=\"0 0 10 10\">"
    "<rect x=\"0\" y=\"0\" width=\"5\" height=\"10\" fill=\"currentColor\"/>"
    "<g id=\"lit\"><rect x=\"5\" y=\"0\" width=\"5\" height=\"5\" fill=\"currentColor\"/></g>"
    "<g id='unlit'><rect x=\"5\" y=\"5\" width=\"5\" height=\"5\" fill=\"currentColor\"/></g>"
    "</svg>";

const QByteArray kBackground =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\" viewBox=\"0 0 10 10\">"
    "<rect x=\"0\" y=\"0\" width=\"10\" height=\"10\" fill=\"#0000FF\"/></svg>";

// One pixel of a 20 x 20 rendering, read well inside one of the shapes.
QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y);
}

TEST(SvgArtwork, ColourIsPutInForCurrentColor) {
    const QImage image = RenderSvg(WithColour(kGlyph, QStringLiteral("#FF0000")), QSize(20, 20));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(At(image, 4, 10), qRgb(255, 0, 0));
}

TEST(SvgArtwork, EmptyColourAndLabelLeaveTheSourceAlone) {
    EXPECT_EQ(WithColour(kGlyph, QString()), kGlyph);
    EXPECT_EQ(WithLabel(kGlyph, QString()), kGlyph);
}

TEST(SvgArtwork, LabelIsEscapedForXml) {
    const QByteArray source = "<text>LABEL</text>";
    EXPECT_EQ(WithLabel(source, QStringLiteral("A&B<")), QByteArray("<text>A&amp;B&lt;</text>"));
}

TEST(SvgArtwork, HiddenGroupIsNotDrawnWhateverItsQuotes) {
    const QByteArray red = WithColour(kGlyph, QStringLiteral("#FF0000"));
    const QImage withoutLit = RenderSvg(WithoutGroup(red, "lit"), QSize(20, 20));
    EXPECT_EQ(qAlpha(At(withoutLit, 15, 4)), 0);
    EXPECT_EQ(At(withoutLit, 15, 15), qRgb(255, 0, 0));
    const QImage withoutUnlit = RenderSvg(WithoutGroup(red, "unlit"), QSize(20, 20));
    EXPECT_EQ(At(withoutUnlit, 15, 4), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(At(withoutUnlit, 15, 15)), 0);
}

TEST(SvgArtwork, GroupIdMustMatchWholly) {
    // "lit" must not hide "unlit" or "lit2".
    const QByteArray source = "<g id=\"unlit\"/><g id=\"lit2\"/>";
    EXPECT_EQ(WithoutGroup(source, "lit"), source);
}

TEST(SvgArtwork, InvalidSourceGivesNoPicture) {
    EXPECT_TRUE(RenderSvg("not svg at all", QSize(10, 10)).isNull());
    EXPECT_TRUE(RenderSvg(kBackground, QSize(0, 10)).isNull());
}

TEST(ThemeIconRenderer, StateChoosesColourAndParts) {
    const IconStateArtwork off{"off", "off.svg", "#808080", false};
    const IconStateArtwork on{"on", "on.svg", "#FFFF00", true};
    const QImage offPicture = RenderThemeIcon(kBackground, kGlyph, off, 20);
    const QImage onPicture = RenderThemeIcon(kBackground, kGlyph, on, 20);
    ASSERT_EQ(offPicture.size(), QSize(20, 20));
    EXPECT_EQ(At(offPicture, 4, 10), qRgb(128, 128, 128));
    EXPECT_EQ(At(offPicture, 15, 4), qRgb(0, 0, 255));  // lit part hidden
    EXPECT_EQ(At(offPicture, 15, 15), qRgb(128, 128, 128));
    EXPECT_EQ(At(onPicture, 15, 4), qRgb(255, 255, 0));
    EXPECT_EQ(At(onPicture, 15, 15), qRgb(0, 0, 255));  // unlit part hidden
}

TEST(ThemeIconRenderer, BrokenSourceGivesNoPicture) {
    const IconStateArtwork on{"on", "on.svg", "#FFFF00", true};
    EXPECT_TRUE(RenderThemeIcon(kBackground, "<svg", on, 20).isNull());
    EXPECT_TRUE(RenderThemeIcon("", kGlyph, on, 20).isNull());
}

}  // namespace
}  // namespace zol
