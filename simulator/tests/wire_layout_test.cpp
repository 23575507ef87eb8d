// The wire forms of objects, displays, tiles and "Update" pushes, read back
// the way the clients read them.
#include <gtest/gtest.h>

#include "simulator/design_entries.h"
#include "simulator/tests/router_harness.h"
#include "simulator/tile_entries.h"

namespace zol::test {
namespace {

using Fields = std::vector<FieldValue>;

// 1-based access as the clients number fields; missing fields read "" and 0.
struct Reader {
    Fields fields;
    int At(std::size_t n) const { return n <= fields.size() ? fields[n - 1].number : 0; }
    std::string Text(std::size_t n) const { return n <= fields.size() ? fields[n - 1].text : ""; }
};

SimObject Keypad() {
    SimObject object;
    object.objectId = 42;
    object.name = "Keypad";
    object.location = "Hall";
    object.templateName = "Keypad3";
    object.texts = {"a", "b"};
    object.buttonNames = {"One", "Two", "Three"};
    object.buttonStates = {1, 0, 1};
    object.clickAction = 2;
    object.doubleClickAction = 1;
    object.metered = 60;
    object.errorCondition = 1;
    object.statusText = "Busy";
    object.overlayText = "X";
    object.overlaySize = 12;
    object.overlayColor = 255;
    return object;
}

TEST(ObjectEntry, ButtonsMoveTheLaterFieldsAndOldServersStopAtReserved2) {
    Reader entry{Decode(EncodeObjectEntry(Keypad(), 14))};
    const int p = 10 + 2 + 2 * 3;
    EXPECT_EQ(entry.At(1), 42);
    EXPECT_EQ(entry.Text(4), "Keypad3");
    EXPECT_EQ(entry.At(8), 2);
    EXPECT_EQ(entry.At(9), 3);
    EXPECT_EQ(entry.Text(12), "One");
    EXPECT_EQ(entry.At(15), 1);
    EXPECT_EQ(entry.At(p), 2) << "clickAction at field 18 with 2 texts and 3 buttons";
    EXPECT_EQ(entry.Text(p + 2), "Hall");
    EXPECT_EQ(entry.At(p + 6), 60);
    EXPECT_EQ(entry.At(p + 9), 1);
    EXPECT_EQ(entry.Text(p + 16), "Busy");
    EXPECT_EQ(entry.At(p + 19), 255);
    EXPECT_EQ(entry.fields.size(), static_cast<std::size_t>(p + 19));

    Reader old{Decode(EncodeObjectEntry(Keypad(), 13))};
    EXPECT_EQ(old.fields.size(), static_cast<std::size_t>(p + 7));
}

TEST(UpdatePush, CarriesButtonStatesThenTheLaterMembers) {
    Reader push{Decode(EncodeObjectUpdate(Keypad(), "20240101120000", 14))};
    EXPECT_EQ(push.Text(2), "ZOLApp");
    EXPECT_EQ(push.Text(3), "Update");
    EXPECT_EQ(push.At(4), 42);
    EXPECT_EQ(push.At(7), 3);
    EXPECT_EQ(push.At(10), 1);
    const int j = 8 + 3;
    EXPECT_EQ(push.Text(j + 3), "20240101120000");
    EXPECT_EQ(push.At(j + 5), 1);
    EXPECT_EQ(push.Text(j + 6), "Busy");
    EXPECT_EQ(Decode(EncodeObjectUpdate(Keypad(), "20240101120000", 13)).size(),
              static_cast<std::size_t>(j + 3));
}

TEST(DisplayEntry, FlagsTwentyFourAndTwentyFiveAreInvertedAndListsNest) {
    SimDisplay display;
    display.name = "Living";
    display.displayId = 7;
    display.displayKind = 0;
    display.objectIds = {3, 4};
    display.explicitPositions = 1;
    display.hideNames = 0;
    display.iconPositions = {{10, 20}, {30, 40}};
    display.enterExitProgramId = 9;
    Reader entry{Decode(EncodeDisplayEntry(display))};
    ASSERT_EQ(entry.fields.size(), 31u);
    EXPECT_EQ(Decode(entry.Text(13)).size(), 2u);
    EXPECT_EQ(entry.At(24), 0) << "0 means explicit positions";
    EXPECT_EQ(entry.At(25), 1) << "1 means names shown";
    const Fields positions = Decode(entry.Text(26));
    ASSERT_EQ(positions.size(), 4u);
    EXPECT_EQ(positions[3].number, 40);
    EXPECT_EQ(entry.At(30), 9);
}

SimTile TextTile(int weight) {
    SimTile tile;
    tile.tileType = kTileText;
    tile.tileId = 5;
    tile.tileName = "T";
    tile.label = "L";
    tile.text = "Hello";
    tile.font.weight = weight;
    tile.font.faceName = "Arial";
    tile.alignment = 2;
    tile.refreshInterval = 3;
    tile.refreshProgramId = 77;
    tile.tapAction = 3;
    tile.tapDisplayId = 11;
    tile.tapProgramId = 12;
    tile.cornerMode = 2;
    return tile;
}

TEST(TileEntry, ExtendedFormPlacesActionsAfterTheRefreshFields) {
    Reader tile{Decode(EncodeTileExtended(TextTile(700)))};
    EXPECT_EQ(tile.At(1), kTileText);
    EXPECT_EQ(tile.At(9), 2);
    EXPECT_EQ(tile.At(10), 3);
    EXPECT_EQ(tile.At(11), 77);
    EXPECT_EQ(tile.At(14), 3) << "tap action";
    EXPECT_EQ(tile.At(15), 11);
    EXPECT_EQ(tile.At(16), 12);
    EXPECT_EQ(tile.At(17), 0) << "hold action without identifiers";
    EXPECT_EQ(tile.Text(18), "L");
    const int s = 21;
    EXPECT_EQ(tile.Text(s), "Hello");
    EXPECT_EQ(tile.At(s + 6), 700);
    EXPECT_EQ(tile.Text(s + 12), "Arial");
    EXPECT_EQ(tile.At(s + 13), 2);
}

TEST(TileEntry, ShortFormLeavesOutDefaultFontNumbers) {
    Reader plain{Decode(EncodeTileOriginal(TextTile(400)))};
    // t12 0 (actions follow), tap 3 + 2 ids, hold 0, refresh interval.
    EXPECT_EQ(plain.At(12), 0);
    EXPECT_EQ(plain.At(13), 3);
    EXPECT_EQ(plain.At(17), 3);
    const int s = 18;
    EXPECT_EQ(plain.At(s), 1) << "default font flag";
    EXPECT_EQ(plain.Text(s + 1), "Hello");
    EXPECT_EQ(plain.At(s + 4), 32) << "pitch and family follows the height at once";
    EXPECT_EQ(plain.Text(s + 5), "Arial");
    EXPECT_EQ(plain.At(s + 6), 2);
    EXPECT_EQ(plain.At(s + 7), 2) << "corner mode";
    EXPECT_EQ(plain.At(s + 8), 77) << "refresh program, since the interval is above 0";

    Reader bold{Decode(EncodeTileOriginal(TextTile(700)))};
    EXPECT_EQ(bold.At(s), 0);
    EXPECT_EQ(bold.At(s + 7), 700);
    EXPECT_EQ(bold.Text(s + 13), "Arial");
}

TEST(TileEntry, ShortIconDataSkipsUnsetSpacingAndMruNumbers) {
    SimTile tile;
    tile.tileType = kTileIcons;
    tile.sourceDisplayId = 500;
    tile.mruNumbers = {1, 2, 3, 4};
    Reader base{Decode(EncodeTileBase(tile))};
    EXPECT_EQ(base.At(9), 0);
    EXPECT_EQ(base.At(10), 0);
    EXPECT_EQ(base.At(11), 500) << "source display is the third field of the data";

    tile.mruMode = 1;
    Reader withMru{Decode(EncodeTileBase(tile))};
    EXPECT_EQ(withMru.At(11), 1);
    EXPECT_EQ(withMru.At(15), 500);
}

TEST(TileEntry, OriginalFormWithoutActionsMarksNine) {
    SimTile tile;
    tile.tileType = kTileMeter;
    tile.refreshInterval = 0;
    tile.maxWatts = 3000;
    Reader entry{Decode(EncodeTileOriginal(tile))};
    EXPECT_EQ(entry.At(12), 9);
    EXPECT_EQ(entry.At(13), 0);
    EXPECT_EQ(entry.At(14), 3000);
    EXPECT_EQ(entry.fields.size(), 16u) << "corner mode ends it when there is no refresh";
}

TEST(TileEntry, InfoCarriesNamesColoursAndActions) {
    Reader info{Decode(EncodeTileInfo(TextTile(400)))};
    EXPECT_EQ(info.At(1), 5);
    EXPECT_EQ(info.Text(2), "T");
    EXPECT_EQ(info.Text(3), "L");
    EXPECT_EQ(info.At(6), 3);
    EXPECT_EQ(info.At(8), 12);
}

TEST(TileGeneration, FollowsTheClientsChoice) {
    EXPECT_EQ(TileGenerationFor(19, 0, 0), TileGeneration::kExtended);
    EXPECT_EQ(TileGenerationFor(18, 0, 11), TileGeneration::kExtended);
    EXPECT_EQ(TileGenerationFor(18, 0, 10), TileGeneration::kBaseInfo);
    EXPECT_EQ(TileGenerationFor(18, 0, 7), TileGeneration::kBaseInfo);
    EXPECT_EQ(TileGenerationFor(18, 0, 6), TileGeneration::kOriginal);
    EXPECT_EQ(TileGenerationFor(17, 9, 99), TileGeneration::kOriginal);
}

}  // namespace
}  // namespace zol::test
