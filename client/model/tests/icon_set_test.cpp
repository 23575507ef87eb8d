// Loading theme folders: which files make which icon, how pictures are
// fitted, the fonts, lookups, and a reload in place.
#include <QColor>
#include <QFont>
#include <QImage>

#include <gtest/gtest.h>

#include "client/model/icon_set_loader.h"
#include "client/model/text_fit.h"
#include "client/model/theme_icon_files.h"
#include "client/model/theme_picture.h"
#include "client/tests/temp_dir.h"

namespace zol {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kNavy = 0x3A2A09;  // 0x00BBGGRR

void WritePicture(const fs::path& path, int width, int height, QColor color) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "PNG"));
}

class IconSetTest : public ::testing::Test {
  protected:
    IconSet& Load(std::string_view themeText = "[Metrics]\ncxStandard=110\ncyStandard=110\n") {
        dir_.Write("theme.txt", std::string(themeText));
        IconSetOptions options;
        options.backgroundColor = kNavy;
        LoadIconSet(set_, dir_.Path(), options);
        return set_;
    }
    fs::path File(const std::string& name) const { return dir_.Path() / name; }

    testing::TempDir dir_;
    IconSet set_;
};

TEST_F(IconSetTest, OffOnAndDimFilesMatchInAnyLetterCase) {
    WritePicture(File("Lamp_off.png"), 110, 110, Qt::gray);
    WritePicture(File("Lamp_ON.png"), 110, 110, Qt::yellow);
    WritePicture(File("Fan.png"), 110, 110, Qt::blue);
    WritePicture(File("FAN.PNG"), 110, 110, Qt::red);  // another file on this disk
    WritePicture(File("Door_Off.Bmp"), 110, 110, Qt::gray);
    WritePicture(File("door_DIM.bmp"), 110, 110, Qt::gray);
    WritePicture(File("orphan_on.png"), 110, 110, Qt::gray);  // no off picture: no icon

    const IconSet& set = Load();
    ASSERT_EQ(set.icons.size(), 4u);
    // Sorted without regard to case; of equal names the first found stays first.
    EXPECT_EQ(set.icons[0].name, "Door");
    EXPECT_EQ(set.icons[1].name, "FAN");
    EXPECT_EQ(set.icons[2].name, "Fan");
    EXPECT_EQ(set.icons[3].name, "Lamp");

    const ThemeIcon& lamp = set.icons[3];
    EXPECT_TRUE(lamp.off.Present());
    ASSERT_TRUE(lamp.on.Present());
    EXPECT_FALSE(lamp.dim.Present());
    EXPECT_EQ(lamp.on.path, File("Lamp_ON.png").string());
    EXPECT_EQ(lamp.on.Image()->pixelColor(5, 5), QColor(Qt::yellow));
    EXPECT_EQ(&lamp.DimOrOff(), &lamp.off);

    const ThemeIcon& fan = set.icons[2];
    EXPECT_FALSE(fan.on.Present());
    EXPECT_EQ(&fan.OnOrOff(), &fan.off);  // one picture for every state
    EXPECT_EQ(set.icons[1].off.Image()->pixelColor(5, 5), QColor(Qt::red));

    EXPECT_TRUE(set.icons[0].dim.Present());
    EXPECT_FALSE(set.icons[0].on.Present());
    // Numbered as the image list held them: icon by icon, off, on, dim.
    EXPECT_EQ(set.icons[0].off.imageIndex, 0);
    EXPECT_EQ(set.icons[0].dim.imageIndex, 1);
    EXPECT_EQ(lamp.off.imageIndex, 4);
    EXPECT_EQ(lamp.on.imageIndex, 5);
    EXPECT_EQ(lamp.dim.imageIndex, -1);
}

TEST_F(IconSetTest, APictureThatDoesNotLoadDropsItsIcon) {
    WritePicture(File("Lamp_off.png"), 110, 110, Qt::gray);
    dir_.Write("lamp_dim.png", "not a picture");
    WritePicture(File("Tv_off.png"), 110, 110, Qt::gray);
    const IconSet& set = Load();
    ASSERT_EQ(set.icons.size(), 1u);
    EXPECT_EQ(set.icons[0].name, "Tv");
}

TEST_F(IconSetTest, PixelsAreDecodedOnFirstUseAndADamagedFileShowsTheBackground) {
    WritePicture(File("Lamp_off.png"), 110, 110, Qt::red);
    WritePicture(File("Tv_off.png"), 64, 48, Qt::gray);
    const IconSet& set = Load();
    ASSERT_EQ(set.icons.size(), 2u);
    const ThemePicture& tv = set.icons[1].off;
    EXPECT_EQ(tv.picture, nullptr);  // only the head was read
    EXPECT_EQ(tv.originalWidth, 64);
    EXPECT_EQ(tv.originalHeight, 48);

    // Cut after its head: the icon stays, on a square of the set's size.
    std::filesystem::resize_file(File("Lamp_off.png"), 40);
    const std::shared_ptr<const QImage> lamp = set.icons[0].off.Image();
    ASSERT_NE(lamp, nullptr);
    EXPECT_EQ(lamp->size(), QSize(110, 110));
    EXPECT_NE(lamp->pixelColor(55, 55), QColor(Qt::red));
    EXPECT_EQ(set.icons[0].off.Image(), lamp);  // decoded once
}

TEST_F(IconSetTest, PicturesOfAnotherSizeAreCentredOrCut) {
    WritePicture(File("Small.png"), 64, 64, Qt::red);
    QImage large(200, 150, QImage::Format_ARGB32);
    large.fill(Qt::blue);
    for (int y = 0; y < 110; ++y)
        for (int x = 0; x < 110; ++x)
            large.setPixelColor(x, y, QColor(x, y, 7));
    ASSERT_TRUE(large.save(QString::fromStdString(File("Large.png").string())));

    const IconSet& set = Load();
    ASSERT_EQ(set.icons.size(), 2u);
    const ThemePicture& big = set.icons[0].off;
    const ThemePicture& small = set.icons[1].off;
    EXPECT_EQ(big.originalWidth, 200);
    EXPECT_EQ(big.originalHeight, 150);
    ASSERT_EQ(big.Image()->size(), QSize(110, 110));
    EXPECT_EQ(big.Image()->format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(big.Image()->pixelColor(109, 109), QColor(109, 109, 7));  // top-left 110 x 110
    EXPECT_EQ(big.Image()->pixelColor(0, 0), QColor(0, 0, 7));

    EXPECT_EQ(small.originalWidth, 64);
    ASSERT_EQ(small.Image()->size(), QSize(110, 110));
    const QColor navy(0x09, 0x2A, 0x3A);
    EXPECT_EQ(small.Image()->pixelColor(22, 22), navy);  // (110 - 64) / 2 = 23
    EXPECT_EQ(small.Image()->pixelColor(23, 23), QColor(Qt::red));
    EXPECT_EQ(small.Image()->pixelColor(86, 86), QColor(Qt::red));
    EXPECT_EQ(small.Image()->pixelColor(87, 87), navy);
}

TEST(ThemePictureTest, PremultipliedOnceWithRounding) {
    QImage image(1, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(200, 100, 3, 128));
    const QImage fitted = FitThemePicture(image, 1, 1, 0);
    ASSERT_EQ(fitted.format(), QImage::Format_ARGB32_Premultiplied);
    const QRgb pixel = reinterpret_cast<const QRgb*>(fitted.constBits())[0];
    EXPECT_EQ(qRed(pixel), (200 * 128 + 127) / 255);
    EXPECT_EQ(qGreen(pixel), (100 * 128 + 127) / 255);
    EXPECT_EQ(qBlue(pixel), (3 * 128 + 127) / 255);
    EXPECT_EQ(qAlpha(pixel), 128);
}

TEST_F(IconSetTest, FontsFromTheSmallestPointSizeAtMostEight) {
    const IconSet& set =
        Load("[Feature]\ntype=1\nFont=Open Sans\nFontPointMin=12\nFontPointMax=30\n");
    ASSERT_EQ(set.fontCount, 8);
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(set.fonts[static_cast<std::size_t>(i)]);
        // 12 to 19 points at 96 dpi: MulDiv(points, 96, 72).
        EXPECT_EQ(set.fonts[static_cast<std::size_t>(i)]->pixelSize(), ((12 + i) * 96 + 36) / 72);
        EXPECT_EQ(set.fonts[static_cast<std::size_t>(i)]->family(), QStringLiteral("Open Sans"));
    }
    EXPECT_EQ(Load("[Feature]\ntype=0\n").fontCount, 0);
    EXPECT_EQ(Load("[Feature]\ntype=2\nFontPointMin=20\nFontPointMax=19\n").fontCount, 0);
    EXPECT_FALSE(set.fonts[0]);  // the last load made none
    EXPECT_EQ(
        Load("[Feature]\ntype=2\nFontPointMin=-2147483648\nFontPointMax=2147483647\n").fontCount,
        8);
}

TEST_F(IconSetTest, AThemeWithoutMetricsHasNothingToDivideByZero) {
    WritePicture(File("Fan.png"), 30, 20, Qt::red);
    const IconSet& bare = Load("");
    EXPECT_EQ(bare.cxStandard, 1);
    EXPECT_EQ(bare.cyStandard, 1);
    EXPECT_EQ(bare.cxCell / 4, 1);
    EXPECT_EQ(bare.cyCell / 4, 1);
    EXPECT_EQ(bare.fontFace, "Calibri");
    ASSERT_EQ(bare.icons.size(), 1u);
    EXPECT_EQ(bare.icons[0].off.Image()->size(), QSize(1, 1));

    const IconSet& wild =
        Load("[Metrics]\ncxStandard=-5\ncyStandard=99999999\ncxCell=0\ncyCell=-1\n");
    EXPECT_EQ(wild.cxStandard, 1);
    EXPECT_EQ(wild.cyStandard, kMaxThemeIconSide);
    EXPECT_EQ(wild.cxCell, kMinThemeCell);
    EXPECT_EQ(wild.cyCell, kMinThemeCell);
}

TEST_F(IconSetTest, FindIconIsExactElseTheAlphabeticallyFirst) {
    for (const char* name : {"Tv.png", "appliance.png", "Lamp.png"})
        WritePicture(File(name), 110, 110, Qt::gray);
    const IconSet& set = Load();
    EXPECT_EQ(FindIcon(set, "Lamp")->name, "Lamp");
    EXPECT_EQ(FindIcon(set, "lamp")->name, "appliance");  // letter case counts
    EXPECT_EQ(FindIcon(set, "Unknown")->name, "appliance");
    EXPECT_EQ(FindIcon(IconSet{}, "Lamp"), nullptr);
}

TEST_F(IconSetTest, AReloadInPlaceFreesTheOldFontsAndFindsIconsByName) {
    WritePicture(File("Lamp_off.png"), 110, 110, Qt::gray);
    IconSet& set = Load("[Metrics]\ncxStandard=110\ncyStandard=110\n[Feature]\ntype=2\n");
    const IconSet* const address = &set;
    std::weak_ptr<const QFont> oldFont = set.fonts[0];
    std::weak_ptr<const QImage> oldPicture = set.icons[0].off.Image();

    WritePicture(File("Lamp_off.png"), 110, 110, Qt::green);
    WritePicture(File("lamp_on.png"), 110, 110, Qt::yellow);
    ReloadIconSet(set, IconSetOptions{});
    EXPECT_EQ(&set, address);
    EXPECT_TRUE(oldFont.expired());
    EXPECT_TRUE(oldPicture.expired());
    EXPECT_EQ(set.fontCount, 8);
    const ThemeIcon* lamp = FindIcon(set, "Lamp");
    ASSERT_NE(lamp, nullptr);
    EXPECT_EQ(lamp->off.Image()->pixelColor(1, 1), QColor(Qt::green));
    EXPECT_TRUE(lamp->on.Present());
}

TEST(IconSetListTest, SortedByNameWithEqualNamesAfterTheExistingOnes) {
    IconSetList sets;
    for (const char* name : {"Theme_54_54", "theme_110_110", "Custom", "THEME_54_54"}) {
        auto set = std::make_unique<IconSet>();
        set->name = name;
        set->cxCell = static_cast<std::int32_t>(sets.size());  // the order of arrival
        InsertIconSet(sets, std::move(set));
    }
    ASSERT_EQ(sets.size(), 4u);
    EXPECT_EQ(sets[0]->name, "Custom");
    EXPECT_EQ(sets[1]->name, "theme_110_110");
    EXPECT_EQ(sets[2]->name, "Theme_54_54");
    EXPECT_EQ(sets[3]->name, "THEME_54_54");
    EXPECT_EQ(FindIconSet(sets, "theme_54_54"), sets[2].get());
    EXPECT_EQ(FindIconSet(sets, "Theme_36_36"), nullptr);
}

TEST(TextFitTest, TheLargestFontInWhichTheTextFits) {
    IconSet set;
    set.fontCount = 3;
    for (int i = 0; i < 3; ++i) {
        auto font = std::make_shared<QFont>(QStringLiteral("Liberation Sans"));
        font->setPixelSize(10 + 10 * i);
        set.fonts[static_cast<std::size_t>(i)] = font;
    }
    const FittedText wide = FitTextFont(set, "Kitchen", 1000, 1000);
    EXPECT_EQ(wide.fontIndex, 2);
    EXPECT_EQ(wide.lineCount, 1);
    EXPECT_GT(wide.widths[0], 0);

    // Just too narrow for the largest font: the next one.
    const FittedText narrower = FitTextFont(set, "Kitchen", wide.widths[0], 1000);
    EXPECT_EQ(narrower.fontIndex, 1);

    // Two lines need both heights.
    const FittedText one = FitTextFont(set, "Kitchen", 1000, wide.heights[0] + 1);
    EXPECT_EQ(one.fontIndex, 2);
    const FittedText two = FitTextFont(set, "Kitchen\nLight", 1000, wide.heights[0] + 1);
    EXPECT_EQ(two.lineCount, 2);
    EXPECT_EQ(two.lines[1], "Light");
    EXPECT_LT(two.fontIndex, 2);
    EXPECT_LT(two.heights[0] + two.heights[1], wide.heights[0] + 1);

    EXPECT_EQ(FitTextFont(set, "Kitchen", 3, 3).fontIndex, -1);
    EXPECT_EQ(FitTextFont(IconSet{}, "Kitchen", 1000, 1000).fontIndex, -1);

    // Kept answers are those of the set's fonts of the moment: a sync that
    // leaves the smallest font alone is measured again.
    TextFitCache cache;
    EXPECT_EQ(cache.Fit(set, "Kitchen", 1000, 1000).fontIndex, 2);
    EXPECT_EQ(cache.Fit(set, "Kitchen", wide.widths[0], 1000).fontIndex, 1);
    set.fonts[1].reset();
    set.fonts[2].reset();
    EXPECT_EQ(cache.Fit(set, "Kitchen", 1000, 1000).fontIndex, 0);
    IconSet other = set;
    other.fontCount = 0;
    EXPECT_EQ(cache.Fit(other, "Kitchen", 1000, 1000).fontIndex, -1);
}

TEST(ShippedThemesTest, EveryIconHasItsThreePictures) {
    for (const char* name : {"Theme_36_36", "Theme_54_54", "Theme_110_110"}) {
        IconSet set;
        LoadIconSet(set, fs::path(ZOL_SOURCE_DIR) / "assets/themes" / name);
        EXPECT_GE(set.icons.size(), 30u) << name;
        EXPECT_EQ(set.icons.front().name, "Appliance") << name;
        for (const ThemeIcon& icon : set.icons) {
            EXPECT_TRUE(icon.on.Present() && icon.dim.Present()) << name << " " << icon.name;
            EXPECT_EQ(icon.off.originalWidth, set.cxStandard) << name << " " << icon.name;
        }
        EXPECT_GT(set.fontCount, 0) << name;
    }
}

TEST(ThemeIconFilesTest, NamesKeepTheirLetterCaseAndSuffixesMatchAnyCase) {
    const auto icons = MatchIconFiles(
        {"Garage_OFF.JPG", "garage_on.jpg", "Garage_on.jpg", "notes.txt", "x_dim.gif", "Pool.tif"});
    ASSERT_EQ(icons.size(), 2u);
    EXPECT_EQ(icons[0].name, "Garage");
    EXPECT_EQ(icons[0].onFile, "garage_on.jpg");  // the lower-case name first
    EXPECT_EQ(icons[0].dimFile, "");
    EXPECT_EQ(icons[1].name, "Pool");
    EXPECT_EQ(icons[1].offFile, "Pool.tif");
}

}  // namespace
}  // namespace zol
