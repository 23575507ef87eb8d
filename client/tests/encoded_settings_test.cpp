#include <gtest/gtest.h>

#include "client/core/status_bar_font.h"
#include "client/core/ui_lock_code.h"

namespace zol {
namespace {

TEST(UiLockCodeTest, DecimalDigitsWithBlanksReadAsHexAndSaveAsThirtyTwoDigits) {
    UiLockCode code = DecodeUiLockCode("1 2 3");
    UiLockCode expected{};
    expected[0] = 0x12;
    expected[1] = 0x30;
    EXPECT_EQ(code, expected);
    EXPECT_EQ(EncodeUiLockCode(code), "1230" + std::string(28, '0'));
}

TEST(UiLockCodeTest, DecodingRules) {
    EXPECT_EQ(DecodeUiLockCode("  ab CD ef  ")[0], 0xAB);
    EXPECT_EQ(DecodeUiLockCode("  ab CD ef  ")[1], 0xCD);
    EXPECT_EQ(DecodeUiLockCode("  ab CD ef  ")[2], 0xEF);
    // Non-hex characters anywhere leave the whole code zero.
    EXPECT_EQ(DecodeUiLockCode("12g4"), UiLockCode{});
    EXPECT_EQ(DecodeUiLockCode("12-4"), UiLockCode{});
    EXPECT_EQ(DecodeUiLockCode("12\t4"), UiLockCode{});
    EXPECT_EQ(DecodeUiLockCode(""), UiLockCode{});
    // Digits beyond sixteen bytes are ignored.
    UiLockCode full = DecodeUiLockCode(std::string(40, 'f'));
    for (auto b : full)
        EXPECT_EQ(b, 0xFF);
    // Every byte survives a save and load.
    UiLockCode all;
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<std::uint8_t>(i * 17 + 3);
    EXPECT_EQ(DecodeUiLockCode(EncodeUiLockCode(all)), all);
}

TEST(StatusBarFontTest, DefaultRoundTrips) {
    LogFont font = DecodeStatusBarFont(kDefaultStatusBarFontText);
    EXPECT_EQ(font.height, -35);
    EXPECT_EQ(font.weight, 400);
    EXPECT_EQ(font.pitchAndFamily, 32);
    EXPECT_EQ(font.faceName, "Open Sans Light");
    EXPECT_EQ(EncodeStatusBarFont(font), kDefaultStatusBarFontText);
    EXPECT_EQ(DecodeStatusBarFont(EncodeStatusBarFont(font)), font);
}

TEST(StatusBarFontTest, EveryFieldInOrder) {
    LogFont font = DecodeStatusBarFont("-12,5,900,450,700,1,1,1,2,3,4,5,49,Arial, Narrow");
    EXPECT_EQ(font.height, -12);
    EXPECT_EQ(font.width, 5);
    EXPECT_EQ(font.escapement, 900);
    EXPECT_EQ(font.orientation, 450);
    EXPECT_EQ(font.weight, 700);
    EXPECT_EQ(font.italic, 1);
    EXPECT_EQ(font.underline, 1);
    EXPECT_EQ(font.strikeOut, 1);
    EXPECT_EQ(font.charSet, 2);
    EXPECT_EQ(font.outPrecision, 3);
    EXPECT_EQ(font.clipPrecision, 4);
    EXPECT_EQ(font.quality, 5);
    EXPECT_EQ(font.pitchAndFamily, 49);
    EXPECT_EQ(font.faceName, "Arial, Narrow");  // everything after the 13th comma
}

TEST(StatusBarFontTest, BadTextsGiveTheDefaultOrTheReadingRules) {
    const LogFont fallback = DecodeStatusBarFont(kDefaultStatusBarFontText);
    EXPECT_EQ(DecodeStatusBarFont(""), fallback);
    EXPECT_EQ(DecodeStatusBarFont("-20,0,0,0,400"), fallback);
    EXPECT_EQ(DecodeStatusBarFont("-20,0,0,0,400,0,0,0,0,0,0,0,32"), fallback);

    LogFont longFace =
        DecodeStatusBarFont("-20,0,0,0,400,0,0,0,0,0,0,0,32," + std::string(200, 'F'));
    EXPECT_EQ(longFace.faceName, std::string(31, 'F'));
    EXPECT_EQ(EncodeStatusBarFont(longFace),
              "-20,0,0,0,400,0,0,0,0,0,0,0,32," + std::string(31, 'F'));

    // Numbers read like atoi: junk after digits ends them, junk alone is 0,
    // and huge numbers saturate instead of overflowing.
    LogFont odd = DecodeStatusBarFont("12px,abc, 7,99999999999,-99999999999,300,0,0,0,0,0,0,0,X");
    EXPECT_EQ(odd.height, 12);
    EXPECT_EQ(odd.width, 0);
    EXPECT_EQ(odd.escapement, 7);
    EXPECT_EQ(odd.orientation, 2147483647);
    EXPECT_EQ(odd.weight, -2147483647 - 1);
    EXPECT_EQ(odd.italic, 300 & 0xFF);
}

}  // namespace
}  // namespace zol
