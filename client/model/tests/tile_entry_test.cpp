// Tiles decoded from each generation's fields, and which generation a
// server version calls for.
#include <gtest/gtest.h>

#include "client/model/tile_entry.h"
#include "client/model/tile_generation.h"
#include "scripted_channel.h"

namespace zol {
namespace {

using testing::Frame;

ReplyFields Fields(const std::vector<std::string>& fields) {
    ReplyFields decoded;
    EXPECT_EQ(decoded.Decode(Frame(fields)), 0);
    return decoded;
}

TEST(TileEntryTest, FullFormWithRefreshAndBothActions) {
    const TileRecord tile = DecodeTileEx(
        Fields({"2",     "7", "Lights", "4",  "2",   "8",   "4",  "3",   "2",     "5",
                "301",   "1", "2",      "3",  "501", "601", "2",  "602", "Label", "255",
                "65280", "1", "40",     "50", "1",   "11",  "12", "13",  "14",    "501"}));
    EXPECT_EQ(tile.tileType, TileIcons);
    EXPECT_EQ(tile.tileName, "Lights");
    EXPECT_EQ(tile.gridHeight, 4);
    EXPECT_EQ(tile.tileStyle, 3);
    EXPECT_EQ(tile.cornerMode, 2);
    EXPECT_EQ(tile.refreshInterval, 5);
    EXPECT_EQ(tile.refreshProgramId, 301);
    EXPECT_EQ(tile.refreshMode, 2);
    EXPECT_EQ(tile.tapAction, 3);
    EXPECT_EQ(tile.tapDisplayId, 501);
    EXPECT_EQ(tile.tapProgramId, 601);
    EXPECT_EQ(tile.holdProgramId, 602);
    EXPECT_EQ(tile.label, "Label");
    EXPECT_EQ(tile.labelColor, 65280);
    const auto* icons = tile.DataAs<IconsTileData>();
    ASSERT_NE(icons, nullptr);
    EXPECT_EQ(icons->spacingY, 50);
    EXPECT_EQ(icons->mruNumbers[3], 14);
    EXPECT_EQ(icons->sourceDisplayId, 501);
}

TEST(TileEntryTest, OriginalFormWithAndWithoutActions) {
    // 9: no actions, the refresh interval follows at once.
    const TileRecord plain = DecodeTileOriginal(Fields(
        {"4", "3", "Power", "Watts", "0", "0", "4", "4", "1", "10", "20", "9", "0", "505", "1"}));
    EXPECT_EQ(plain.tapAction, 0);
    EXPECT_EQ(plain.refreshInterval, 0);
    EXPECT_EQ(plain.DataAs<PowerTileData>()->displayId, 505);
    EXPECT_EQ(plain.cornerMode, 1);

    const TileRecord acting = DecodeTileOriginal(
        Fields({"1", "4",   "Web", "",    "0",  "0", "4",   "4",        "0", "10", "20", "0",
                "1", "502", "2",   "601", "30", "1", "502", "http://x", "2", "44", "1",  "3"}));
    EXPECT_EQ(acting.tapDisplayId, 502);
    EXPECT_EQ(acting.holdProgramId, 601);
    EXPECT_EQ(acting.refreshInterval, 30);
    EXPECT_EQ(acting.DataAs<HtmlTileData>()->ownUrl, "http://x");
    EXPECT_EQ(acting.cornerMode, 2);
    EXPECT_EQ(acting.refreshProgramId, 44);
    EXPECT_EQ(acting.refreshMode, 3);
}

TEST(TileEntryTest, ShortFormLeavesOutWhatItsFlagsSay) {
    // Icons without spacing and most-recently-used numbers: the source
    // display is the third field of the data.
    const TileRecord icons =
        DecodeTileBase(Fields({"2", "5", "0", "0", "8", "4", "0", "0", "0", "0", "507"}));
    EXPECT_EQ(icons.DataAs<IconsTileData>()->sourceDisplayId, 507);

    // A default-font text tile: weight 400, the rest 0, pitch and face next.
    const TileRecord text = DecodeTileBase(
        Fields({"5", "6", "0", "0", "8", "4", "0", "0", "1", "Hello", "1", "-20", "290",
                "A face name that is longer than thirty-one characters", "2"}));
    const auto* data = text.DataAs<TextTileData>();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text, "Hello");
    EXPECT_EQ(data->font.height, -20);
    EXPECT_EQ(data->font.weight, 400);
    EXPECT_EQ(data->font.pitchAndFamily, 290 & 0xFF);
    EXPECT_EQ(data->font.faceName, "A face name that is longer than");
    EXPECT_EQ(data->alignment, 2);

    std::list<TileRecord> tiles{icons, text};
    ApplyTileInfo(Fields({"6", "Board", "Note", "1", "2", "1", "503", "0"}), tiles);
    ApplyTileInfo(Fields({"99", "Nobody"}), tiles);
    EXPECT_EQ(tiles.back().tileName, "Board");
    EXPECT_EQ(tiles.back().tapDisplayId, 503);
    EXPECT_EQ(tiles.front().tileName, "");
}

TEST(TileEntryTest, VersionPicksTheGenerationByMajorAndBuild) {
    auto generation = [](int major, int minor, int build) {
        return TileGenerationFor(GreetingValues{major, minor, build, 1, 14});
    };
    EXPECT_EQ(generation(17, 9, 99), TileGeneration::Original);
    EXPECT_EQ(generation(18, 0, 6), TileGeneration::Original);
    EXPECT_EQ(generation(18, 0, 7), TileGeneration::BaseInfo);
    EXPECT_EQ(generation(18, 0, 10), TileGeneration::BaseInfo);
    EXPECT_EQ(generation(18, 0, 11), TileGeneration::Extended);
    EXPECT_EQ(generation(18, 11, 0), TileGeneration::Original);  // the minor number plays no part
    EXPECT_EQ(generation(19, 0, 0), TileGeneration::Extended);
}

}  // namespace
}  // namespace zol
