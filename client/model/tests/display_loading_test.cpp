// Displays against scripted replies: entry fields, the home page, the tile
// each kind of display gets, and the order of tiles per generation.
#include <gtest/gtest.h>

#include <map>

#include "client/model/display_entry.h"
#include "client/model/display_loader.h"
#include "client/model/load_limits.h"
#include "model_fakes.h"
#include "scripted_channel.h"

namespace zol {
namespace {

using testing::Frame;
using testing::ScriptedChannel;
using testing::ScriptedReply;

// A display entry of `count` fields: name, id, kind, hidden; the rest 0 or
// empty unless `extra` sets them (1-based positions).
std::vector<std::string> Entry(const std::string& name, int id, int kind, int hidden,
                               std::map<int, std::string> extra = {}, int count = 18) {
    std::vector<std::string> fields(static_cast<std::size_t>(count), "0");
    for (int text : {4, 9, 10, 13, 16, 18, 19, 20, 21, 26, 27})
        if (text <= count)
            fields[static_cast<std::size_t>(text - 1)] = "";
    fields[0] = name;
    fields[1] = std::to_string(id);
    fields[6] = std::to_string(hidden);
    fields[10] = std::to_string(kind);
    for (const auto& [position, value] : extra)
        fields[static_cast<std::size_t>(position - 1)] = value;
    return fields;
}

class DisplayLoadingTest : public ::testing::Test {
  protected:
    DisplayLoadingTest() {
        sets_.resize(3);
        sets_[0].name = "Theme_110_110";
        sets_[1].name = "Theme_54_54";
        sets_[2].name = "Theme_36_36";
        context_.iconSets = [this](std::string_view name) { return FindIconSet(sets_, name); };
        context_.server = GreetingValues{19, 1, 3, 1, 14};
        context_.backgroundColor = 0x3A2A09;
        context_.textColor = 0xF7E7CB;
    }

    DisplayRecord DecodeEntry(const std::vector<std::string>& fields) {
        ReplyFields entry;
        EXPECT_EQ(entry.Decode(Frame(fields)), 0);
        DisplayRecord display;
        display.layoutTheme = &sets_[0];
        EXPECT_EQ(DecodeDisplayEntry(entry, context_.iconSets, display), 0);
        return display;
    }

    // Loads displays from `entries`, with `handler` answering everything
    // else ("GetDisplays" part 1 and later end the list).
    int Load(const std::vector<std::vector<std::string>>& entries,
             std::function<ScriptedReply(const ReplyFields&)> handler = {}) {
        std::vector<std::string> texts;
        for (const auto& entry : entries)
            texts.push_back(Frame(entry));
        channel_ = std::make_unique<ScriptedChannel>([texts, handler](const ReplyFields& request) {
            if (request.Text(2) == "GetDisplays") {
                if (request.Text(3) == "0")
                    return ScriptedReply{0, Frame({"0", "ZOLApp", "GetDisplays", Frame(texts)})};
                return ScriptedReply{0, Frame({"1", "ZOLApp", "GetDisplays"})};
            }
            if (handler)
                return handler(request);
            return ScriptedReply{0, Frame({"1", "ZOLApp", request.Text(2)})};
        });
        list_.clear();
        return LoadDisplays(*channel_, reporter_, context_, list_, failure_);
    }

    std::vector<IconSet> sets_;
    DisplayLoadContext context_;
    testing::FakeReporter reporter_;
    std::unique_ptr<ScriptedChannel> channel_;
    DisplayList list_;
    std::string failure_;
};

TEST_F(DisplayLoadingTest, EntryFieldsByTheirCount) {
    const DisplayRecord short18 =
        DecodeEntry(Entry("Kitchen", 501, 0, 0, {{13, Frame({"1", "2", "3"})}}));
    EXPECT_EQ(short18.caption, "Kitchen");  // an empty caption takes the name
    EXPECT_EQ(short18.htmlPath, "");
    EXPECT_EQ(short18.layoutTheme, &sets_[0]);
    EXPECT_EQ(short18.positionsIconSet, nullptr);
    EXPECT_EQ(short18.objectIds, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(short18.objectCount, 3);
    EXPECT_EQ(short18.explicitPositions, 0);  // the inverted flags need 26 fields

    const DisplayRecord full =
        DecodeEntry(Entry("Hall", 502, 0, 0,
                          {{13, Frame({"1", "2", "3"})},
                           {18, "The Hall"},
                           {21, "theme_54_54"},
                           {24, "0"},
                           {25, "1"},
                           {26, Frame({"10", "20", "30", "40"})},  // two pairs for three objects
                           {27, "Theme_36_36"},
                           {30, "601"}},
                          31));
    EXPECT_EQ(full.caption, "The Hall");
    EXPECT_EQ(full.layoutTheme, &sets_[1]);
    EXPECT_EQ(full.positionsIconSet, &sets_[2]);
    EXPECT_EQ(full.explicitPositions, 1);
    EXPECT_EQ(full.hideNames, 0);
    EXPECT_EQ(full.iconPositions, (std::vector<IconPosition>{{10, 20}, {30, 40}}));
    EXPECT_EQ(full.enterExitProgramId, 601);

    const DisplayRecord surplus = DecodeEntry(Entry(
        "Den", 503, 0, 0, {{13, Frame({"1"})}, {24, "0"}, {26, Frame({"1", "2", "3", "4"})}}, 26));
    EXPECT_EQ(surplus.iconPositions.size(), 1u);  // never more pairs than objects
    EXPECT_EQ(DecodeEntry(Entry("Odd", 504, 0, 0, {{21, "Unknown"}}, 21)).layoutTheme, &sets_[0]);
}

TEST_F(DisplayLoadingTest, ConstructedHomeListsTheVisibleDisplays) {
    context_.homePageEnable = true;
    context_.homePageName = "Lounge";
    EXPECT_EQ(
        Load({Entry("Kitchen", 501, 0, 0), Entry("Secret", 502, 0, 1), Entry("Hall", 503, 3, 0)}),
        0);
    ASSERT_EQ(reporter_.alerts.size(), 1u);
    EXPECT_EQ(reporter_.alerts[0].first, AlertProblem);
    EXPECT_EQ(reporter_.alerts[0].second,
              "No display named \"Lounge\".  Using a constructed home page instead");
    ASSERT_EQ(list_.size(), 4u);
    const DisplayRecord& home = *list_.back();
    EXPECT_EQ(home.name, "Home");
    EXPECT_EQ(home.displayId, 100);
    EXPECT_EQ(home.isHome, 1);
    EXPECT_EQ(home.hiddenFromHome, 1);
    EXPECT_EQ(home.layoutTheme, &sets_[0]);
    EXPECT_EQ(home.objectIds, (std::vector<std::int32_t>{501, 503}));
    EXPECT_EQ(home.tiles.front().tileType, TileIcons);
    EXPECT_EQ(list_[2]->tiles.front().tileType, TilePower);

    // A server display with id 100: the home page takes the next free one.
    context_.homePageEnable = false;
    EXPECT_EQ(Load({Entry("Hundred", 100, 0, 0), Entry("Next", 101, 0, 0)}), 0);
    EXPECT_EQ(list_.back()->displayId, 102);
    EXPECT_EQ(list_.back()->objectIds, (std::vector<std::int32_t>{100, 101}));
}

TEST_F(DisplayLoadingTest, HomeByNameIgnoringCase) {
    context_.homePageEnable = true;
    context_.homePageName = "main";
    EXPECT_EQ(Load({Entry("Kitchen", 501, 0, 0), Entry("MAIN", 502, 0, 0)}), 0);
    EXPECT_TRUE(reporter_.alerts.empty());
    ASSERT_EQ(list_.size(), 2u);
    EXPECT_EQ(list_[1]->isHome, 1);
}

TEST_F(DisplayLoadingTest, EachKindGetsItsWholeDisplayTile) {
    std::string textReply = Frame({"-1", "ZOLApp", "GetDisplayText", "Notes"});
    auto handler = [&textReply](const ReplyFields&) { return ScriptedReply{0, textReply}; };
    EXPECT_EQ(Load({Entry("Board", 504, 4, 0), Entry("Web", 505, 2, 0), Entry("Future", 506, 9, 0)},
                   handler),
              0);
    const TileRecord& text = list_[0]->tiles.front();
    EXPECT_EQ(list_[0]->singleTile, 1);
    EXPECT_EQ(text.tileType, TileText);
    EXPECT_EQ(text.tileId, 100);
    EXPECT_EQ(text.tileStyle, 3);
    EXPECT_EQ(text.backColor, 0x3A2A09);
    const auto* data = text.DataAs<TextTileData>();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text, "Notes");  // a refusal still gives field 4
    EXPECT_EQ(data->font.faceName, "Open Sans Light");
    EXPECT_EQ(data->font.weight, 400);
    EXPECT_EQ(data->font.height, -35);
    EXPECT_EQ(data->autoFit, 1);
    EXPECT_EQ(list_[1]->tiles.front().DataAs<HtmlTileData>()->htmlDisplayId, 505);
    EXPECT_EQ(list_[2]->tiles.size(), 1u);
    EXPECT_EQ(list_[2]->tiles.front().tileType, TileBlank);

    textReply = "not a field list";
    EXPECT_EQ(Load({Entry("Board", 504, 4, 0)}, handler), 1);
    EXPECT_EQ(failure_, "ZOLApp.GetDisplayText decode failed. Error = 1");
}

TEST_F(DisplayLoadingTest, TileOrderOfEachGeneration) {
    auto tile = [](const char* id) {
        return Frame({"0", id, id, "", "0", "0", "4", "4", "0", "0", "0", "9", "0"});
    };
    auto handler = [&](const ReplyFields& request) {
        if (request.Text(2) == "GetDisplayTiles")
            return ScriptedReply{
                0, Frame({"0", "ZOLApp", "GetDisplayTiles", tile("1"), tile("2"), tile("3")})};
        if (request.Text(2) == "GetDisplayTilesEx" && request.Text(4) == "0")
            return ScriptedReply{0, Frame({"0", "ZOLApp", "GetDisplayTilesEx", Frame({"0", "1"}),
                                           Frame({"0", "2"})})};
        if (request.Text(2) == "GetDisplayTilesEx" && request.Text(4) == "1")
            return ScriptedReply{0, Frame({"0", "ZOLApp", "GetDisplayTilesEx", Frame({"0", "3"})})};
        return ScriptedReply{0, Frame({"1", "ZOLApp", request.Text(2)})};
    };
    auto ids = [](const DisplayRecord& display) {
        std::vector<std::int32_t> result;
        for (const TileRecord& t : display.tiles)
            result.push_back(t.tileId);
        return result;
    };
    context_.server = GreetingValues{18, 0, 6, 1, 14};
    EXPECT_EQ(Load({Entry("Dash", 507, 5, 0)}, handler), 0);
    EXPECT_EQ(ids(*list_[0]), (std::vector<std::int32_t>{3, 2, 1}));
    EXPECT_EQ(list_[0]->singleTile, 0);

    context_.server = GreetingValues{18, 0, 11, 1, 14};
    EXPECT_EQ(Load({Entry("Dash", 507, 5, 0)}, handler), 0);
    EXPECT_EQ(ids(*list_[0]), (std::vector<std::int32_t>{1, 2, 3}));
}

// The tiles of consecutive tiled displays are asked for together, part by
// part; the first display in order that fails ends the load with its text,
// after the displays before it have all their tiles.
TEST_F(DisplayLoadingTest, TilesOfManyDisplaysComeTogetherAndTheFirstFailureInOrderWins) {
    bool bFails = false;
    auto handler = [&bFails](const ReplyFields& request) {
        const std::string name(request.Text(3));
        const std::string part(request.Text(4));
        if (name == "B" && bFails)
            return ScriptedReply{1, ""};
        const std::map<std::string, std::string> tiles = {
            {"A0", "1"}, {"A1", "2"}, {"B0", "3"}, {"C0", "4"}};
        const auto tile = tiles.find(name + part);
        if (tile == tiles.end())
            return ScriptedReply{0, Frame({"1", "ZOLApp", "GetDisplayTilesEx"})};
        return ScriptedReply{
            0, Frame({"0", "ZOLApp", "GetDisplayTilesEx", Frame({"0", tile->second})})};
    };
    auto ids = [this](std::size_t display) {
        std::vector<std::int32_t> result;
        for (const TileRecord& t : list_[display]->tiles)
            result.push_back(t.tileId);
        return result;
    };
    const std::vector<std::vector<std::string>> entries = {Entry("A", 1, 5, 0), Entry("B", 2, 5, 0),
                                                           Entry("C", 3, 5, 0)};
    ASSERT_EQ(Load(entries, handler), 0);
    EXPECT_EQ(ids(0), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(ids(1), (std::vector<std::int32_t>{3}));
    EXPECT_EQ(ids(2), (std::vector<std::int32_t>{4}));
    EXPECT_EQ(channel_->batches, (std::vector<std::size_t>{3, 3, 1}));

    // Of many displays, a round asks the next parts of those loading and the
    // first parts of the next 32.
    std::vector<std::vector<std::string>> many;
    for (int i = 0; i < 40; ++i)
        many.push_back(Entry("M" + std::to_string(i), 10 + i, 5, 0));
    auto one = [](const ReplyFields& request) {
        if (request.Text(4) != "0")
            return ScriptedReply{0, Frame({"1", "ZOLApp", "GetDisplayTilesEx"})};
        return ScriptedReply{0, Frame({"0", "ZOLApp", "GetDisplayTilesEx", Frame({"0", "7"})})};
    };
    ASSERT_EQ(Load(many, one), 0);
    EXPECT_EQ(channel_->batches, (std::vector<std::size_t>{32, 40, 8}));
    EXPECT_EQ(ids(39), (std::vector<std::int32_t>{7}));

    bFails = true;
    EXPECT_EQ(Load(entries, handler), 1);
    EXPECT_EQ(failure_, "ZOLApp.GetDisplayTilesEx timeout. Error = 1");
    EXPECT_EQ(ids(0), (std::vector<std::int32_t>{1, 2}));
    EXPECT_TRUE(ids(2).empty());

    // B never says it has no more: stopped at the limit, A still whole.
    auto endless = [&handler](const ReplyFields& request) {
        if (request.Text(3) == "B")
            return ScriptedReply{0, Frame({"0", "ZOLApp", "GetDisplayTilesEx", Frame({"0", "9"})})};
        return handler(request);
    };
    bFails = false;
    EXPECT_EQ(Load(entries, endless), kLoadLimitReached);
    EXPECT_EQ(failure_, "ZOLApp.GetDisplayTilesEx stopped at the limit of " +
                            std::to_string(kMaxTileParts) + " parts");
    EXPECT_EQ(ids(0), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(ids(1).size(), static_cast<std::size_t>(kMaxTileParts));
}

TEST_F(DisplayLoadingTest, ServersThatNeverSayNoMoreAreStopped) {
    ScriptedChannel displays([](const ReplyFields&) {
        return ScriptedReply{
            0, Frame({"0", "ZOLApp", "GetDisplays", Frame(std::vector<std::string>{})})};
    });
    EXPECT_EQ(LoadDisplays(displays, reporter_, context_, list_, failure_), kLoadLimitReached);
    EXPECT_EQ(failure_, "ZOLApp.GetDisplays stopped at the limit of " +
                            std::to_string(kMaxDisplayParts) + " parts");

    ScriptedChannel tiles([](const ReplyFields&) {
        return ScriptedReply{0, Frame({"0", "ZOLApp", "GetDisplayTilesEx", Frame({"0", "1"})})};
    });
    DisplayRecord display;
    EXPECT_EQ(LoadDisplayTiles(tiles, context_.server, display, failure_), kLoadLimitReached);
    EXPECT_EQ(failure_, "ZOLApp.GetDisplayTilesEx stopped at the limit of " +
                            std::to_string(kMaxTileParts) + " parts");
    EXPECT_EQ(display.tiles.size(), static_cast<std::size_t>(kMaxTileParts));
}

TEST_F(DisplayLoadingTest, AMissingBackgroundIsNotShown) {
    context_.tempDir = std::filesystem::temp_directory_path() / "zol-model-background";
    auto handler = [](const ReplyFields&) {
        return ScriptedReply{0, Frame({"-2", "ZOLApp", "GetFile"})};
    };
    EXPECT_EQ(Load({Entry("Yard", 508, 0, 0, {{15, "1"}, {16, "pictures\\yard.png"}})}, handler),
              0);
    EXPECT_EQ(list_[0]->backgroundMode, 0);
    EXPECT_EQ(channel_->Methods()[2], "GetFile");
    std::filesystem::remove_all(context_.tempDir);
}

}  // namespace
}  // namespace zol
