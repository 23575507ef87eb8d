#include <gtest/gtest.h>

#include <climits>

#include "guibase/color_ref.h"
#include "guibase/dpi_scale.h"
#include "guibase/font_conversion.h"

namespace zol {
namespace {

TEST(DpiScale, ConstantsScaleTruncatedAndTheDpiSettingsTakeTurns) {
    EXPECT_EQ(ScalePixels(50, 96), 50);
    EXPECT_EQ(ScalePixels(50, 144), 75);
    EXPECT_EQ(ScalePixels(25, 120), 31) << "31.25 truncated";
    EXPECT_EQ(ScalePixels(50, 0), 50) << "unknown DPI: as at 96";
    EXPECT_EQ(EffectiveDpi(120, 144, 96), 144) << "DebugDPI first";
    EXPECT_EQ(EffectiveDpi(120, 0, 96), 120);
    EXPECT_EQ(EffectiveDpi(0, 0, 0), 96);
}

TEST(FontConversion, TwoPointFormulasTruncatingAndRounding) {
    EXPECT_EQ(PointsToPixels(12, 96), 16);
    EXPECT_EQ(PointsToPixels(20, 96), 26) << "26.67 truncated";
    EXPECT_EQ(PointsToFontHeight(20, 96), 27) << "26.67 rounded";
    EXPECT_EQ(PointsToFontHeight(9, 100), 13) << "12.5: halves round up";
    EXPECT_EQ(PointsToFontHeight(-9, 100), -13) << "and away from zero below it";
    EXPECT_EQ(PointsToFontHeight(35, 0), 47) << "unknown DPI: 96";
    EXPECT_EQ(PointsToFontHeight(INT_MAX, INT_MAX), kMaxFontPixels);
    EXPECT_EQ(PointsToPixels(INT_MIN, 96), -kMaxFontPixels);
}

TEST(FontConversion, NegativeHeightIsTheCharacterHeight) {
    const QFont font = WindowsFont(QStringLiteral("Open Sans Light"), -35, 700);
    EXPECT_EQ(font.family(), QStringLiteral("Open Sans Light"));
    EXPECT_EQ(font.pixelSize(), 35);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_EQ(WindowsFont(QStringLiteral("Arial"), -20, 0).weight(), QFont::Normal)
        << "weight 0 is the default weight";
    EXPECT_EQ(WindowsFont(QStringLiteral("Arial"), INT_MIN).pixelSize(), kMaxFontPixels);
}

TEST(ColorRef, LowByteIsRed) {
    EXPECT_EQ(FromColorRef(0x00336699u), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(FromColorRef(0xFF0000FFu), QColor(255, 0, 0)) << "the top byte is not a colour";
}

}  // namespace
}  // namespace zol
