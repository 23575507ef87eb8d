// The interface pictures as committed: every picture the client loads by
// name is there, decodes, blends, and has the size its place needs.
#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "assets/asset_paths.h"
#include "assets/tests/picture_checks.h"
#include "assets/tools/artwork_manifest.h"

namespace zol {
namespace {

namespace fs = std::filesystem;
using testing::CornersAreClear;
using testing::LoadPng;
using testing::UsesAlpha;

// Every picture that the client's windows load from images/ by name.
const char* const kNamedPictures[] = {
    // connect progress dialog
    "ConnectWhite", "ConnectRed", "ConnectGreen", "ConnectWorking", "ConnectYellow",
    // control-panel button by home mode, logo, about box
    "ZOL_icon_yellow_48", "ZOL_icon_green_48", "ZOL_icon_grey_48", "About",
    // status bar
    "NavBack", "NavUp", "NavDown", "NavMin", "NavMax", "NavExit",
    // thermostat pop-up
    "up", "down", "upDisabled", "downDisabled",
    // information tiles
    "NoAlert", "Alert", "Time", "Meter", "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday",
    "Friday", "Saturday",
    // control pop-ups: close button, chosen and other home mode or schedule
    "PopupClose", "ModeSelected", "ModeUnselected",
    // server-driven dialogs
    "DialogOK", "DialogCancel", "ChoiceSelected", "ChoiceUnselected",
    // message box icons by kind, message pop-up window icon
    "IconStop", "IconQuestion", "IconWarning", "IconInformation", "ZOLMsg_icon_48"};

QImage Picture(const std::string& name) {
    return LoadPng(ImageFile(name + ".png"));
}

QSize SizeOf(const std::string& name) {
    return Picture(name).size();
}

TEST(CommittedPictures, EveryNamedPictureDecodesAndBlends) {
    for (const char* name : kNamedPictures) {
        SCOPED_TRACE(name);
        const QImage image = Picture(name);
        ASSERT_FALSE(image.isNull()) << "missing or undecodable: " << ImageFile(name).string();
        EXPECT_TRUE(UsesAlpha(image));
    }
}

TEST(CommittedPictures, FolderHoldsExactlyWhatTheArtworkListMakes) {
    // A picture added to the list but not rendered, or one left behind after
    // its source went, shows up here.
    std::ifstream list(fs::path(ZOL_ASSETS_SOURCE_DIR) / "src" / "images.txt");
    ASSERT_TRUE(list);
    const auto manifest = ParseImageManifest(list);
    ASSERT_TRUE(manifest.errors.empty()) << manifest.errors.front();
    std::set<std::string> listed;
    for (const ImageArtwork& entry : manifest.entries) {
        listed.insert(entry.name + ".png");
        EXPECT_EQ(SizeOf(entry.name), QSize(entry.width, entry.height)) << entry.name;
    }
    std::set<std::string> present;
    for (const auto& item : fs::directory_iterator(ImagesDir())) {
        present.insert(item.path().filename().string());
    }
    EXPECT_EQ(listed, present);
    for (const char* name : kNamedPictures) {
        EXPECT_TRUE(listed.contains(std::string(name) + ".png")) << name;
    }
}

TEST(CommittedPictures, ButtonSetsShareOneSize) {
    // Buttons take their picture's size, and the status bar places its
    // buttons by one width.
    for (const char* name : {"ZOL_icon_green_48", "ZOL_icon_grey_48", "NavBack", "NavUp", "NavDown",
                             "NavMin", "NavMax", "NavExit"}) {
        EXPECT_EQ(SizeOf(name), QSize(48, 48)) << name;
    }
    for (const char* name : {"down", "upDisabled", "downDisabled"}) {
        EXPECT_EQ(SizeOf(name), SizeOf("up")) << name;
    }
    EXPECT_EQ(SizeOf("ModeUnselected"), SizeOf("ModeSelected"));
    EXPECT_EQ(SizeOf("ChoiceUnselected"), SizeOf("ChoiceSelected"));
    EXPECT_EQ(SizeOf("DialogCancel"), SizeOf("DialogOK"));
}

TEST(CommittedPictures, ConnectStagePicturesFitTheirDialogPlace) {
    // A stage place is 10 x 9 dialog units, about 15 x 15 pixels at 96 DPI.
    for (const char* name :
         {"ConnectWhite", "ConnectRed", "ConnectGreen", "ConnectWorking", "ConnectYellow"}) {
        const QSize size = SizeOf(name);
        EXPECT_GE(size.width(), 12) << name;
        EXPECT_LE(size.width(), 16) << name;
        EXPECT_EQ(size.height(), size.width()) << name;
    }
}

TEST(CommittedPictures, StatusTilePicturesLeaveRoomForTheTextColumn) {
    // Time.png is drawn at x + 5 and the text column starts at x + 45.
    EXPECT_LE(SizeOf("Time").width(), 40);
    // Weekday pictures stand in for one text row of the 12-point font.
    for (const char* name :
         {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"}) {
        EXPECT_LE(SizeOf(name).height(), 20) << name;
        EXPECT_EQ(SizeOf(name), SizeOf("Monday")) << name;
    }
}

TEST(CommittedPictures, MeterFaceHoldsNeedleAndTextsAroundItsPivot) {
    // The meter tile pivots its needle at (111, 125) of the picture, sweeps
    // it 90 pixels to the left, up and right, writes "WATTS" down to 64
    // pixels below the pivot, and clips everything to the picture.
    const QImage meter = Picture("Meter");
    ASSERT_FALSE(meter.isNull());
    const QPoint pivot(111, 125);
    EXPECT_GE(meter.width(), pivot.x() + 90 + 1);
    EXPECT_GE(pivot.x(), 90);
    EXPECT_GE(pivot.y(), 90);
    EXPECT_GE(meter.height(), pivot.y() + 64 + 1);
    // The face under the needle is solid, its corners let the tile show.
    EXPECT_EQ(qAlpha(meter.pixel(pivot)), 255);
    EXPECT_EQ(qAlpha(meter.pixel(pivot.x(), pivot.y() + 60)), 255);
    EXPECT_TRUE(CornersAreClear(meter));
}

TEST(CommittedPictures, StagePicturesTellTheirStatesApart) {
    // Each state has its own colour; the failed one must not look succeeded.
    std::set<QRgb> centres;
    for (const char* name :
         {"ConnectWhite", "ConnectRed", "ConnectGreen", "ConnectWorking", "ConnectYellow"}) {
        const QImage image = Picture(name);
        ASSERT_FALSE(image.isNull()) << name;
        // Below the centre mark, inside the dot.
        centres.insert(image.pixel(image.width() / 2, image.height() - 3));
    }
    EXPECT_EQ(centres.size(), 5u);
}

}  // namespace
}  // namespace zol
