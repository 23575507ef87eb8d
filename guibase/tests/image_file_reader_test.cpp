#include <gtest/gtest.h>

#include <QColor>
#include <QImageReader>
#include <QString>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "guibase/image_file_reader.h"

namespace zol {
namespace {

using namespace std::string_view_literals;

// 2x1: red, blue.
constexpr std::string_view kPng =
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00"
    "\x00\x01\x08\x02\x00\x00\x00\x7b\x40\xe8\xdd\x00\x00\x00\x0d\x49\x44\x41\x54\x78\x9c\x63"
    "\xf8\xcf\x00\x04\xff\x01\x07\x00\x01\xff\xe2\x23\x9e\x59\x00\x00\x00\x00\x49\x45\x4e\x44"
    "\xae\x42\x60\x82"sv;
// 2x1, 24 bits: green, white.
constexpr std::string_view kBmp =
    "\x42\x4d\x3e\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00\x02\x00\x00\x00"
    "\x01\x00\x00\x00\x01\x00\x18\x00\x00\x00\x00\x00\x08\x00\x00\x00\x13\x0b\x00\x00\x13\x0b"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xff\x00\xff\xff\xff\x00\x00"sv;

bool ImagePluginLoaded() {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.find("/imageformats/") != std::string::npos)
            return true;
    }
    return false;
}

class ImageFileReaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("zol_image_reader_" +
                   std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    QString Write(const char* name, std::string_view bytes) {
        const std::filesystem::path path = folder_ / name;
        std::ofstream(path, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return QString::fromStdString(path.string());
    }

    std::filesystem::path folder_;
};

TEST_F(ImageFileReaderTest, TheContentNamesTheFormatWhateverTheFileIsCalled) {
    const bool pluginsBefore = ImagePluginLoaded();

    const QImage png = ReadImageFile(Write("picture.jpg", kPng));
    ASSERT_EQ(png.size(), QSize(2, 1));
    EXPECT_EQ(QColor(png.pixel(0, 0)), QColor(Qt::red));
    EXPECT_EQ(QColor(png.pixel(1, 0)), QColor(Qt::blue));

    const QImage bmp = ReadImageFile(Write("picture", kBmp));
    ASSERT_EQ(bmp.size(), QSize(2, 1));
    EXPECT_EQ(QColor(bmp.pixel(0, 0)), QColor(Qt::green));

    // A reader made elsewhere gets its size the same way.
    QImageReader reader(Write("head.png", kPng));
    NameFormatFromContent(reader);
    EXPECT_EQ(reader.size(), QSize(2, 1));
    EXPECT_EQ(reader.format(), "png");

    // The head alone gives the size, as the reader would.
    EXPECT_EQ(PngHeadSize(folder_ / "head.png"), QSize(2, 1));

    if (!pluginsBefore) {
        EXPECT_FALSE(ImagePluginLoaded()) << "PNG and BMP need no image plugin";
    }
}

TEST_F(ImageFileReaderTest, WhatIsNoPictureReadsAsNull) {
    EXPECT_TRUE(ReadImageFile(Write("notes.png", "just some text\n")).isNull());
    Write("long.png", "a text long enough to hold a whole PNG head\n");
    Write("picture", kBmp);
    EXPECT_TRUE(ReadImageFile(Write("empty.png", "")).isNull());
    EXPECT_TRUE(ReadImageFile(Write("cut.png", kPng.substr(0, 30))).isNull());
    EXPECT_TRUE(ReadImageFile(QString::fromStdString((folder_ / "missing.png").string())).isNull());

    // A head that is no PNG's, is cut short or names no width has no size.
    std::string zeroWidth(kPng);
    zeroWidth.replace(16, 4, std::string(4, '\0'));
    for (const char* name : {"notes.png", "long.png", "empty.png", "picture"})
        EXPECT_FALSE(PngHeadSize(folder_ / name).isValid()) << name;
    Write("zero.png", zeroWidth);
    Write("short.png", kPng.substr(0, 23));
    EXPECT_FALSE(PngHeadSize(folder_ / "zero.png").isValid());
    EXPECT_FALSE(PngHeadSize(folder_ / "short.png").isValid());
    EXPECT_FALSE(PngHeadSize(folder_ / "missing.png").isValid());
}

}  // namespace
}  // namespace zol
