// Design files: the demo house loads cleanly, mistakes are refused with the
// place they are at, the generator's designs hold together.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QString>
#include <QUrl>
#include <algorithm>
#include <iterator>
#include <set>

#include "simulator/design_generator.h"
#include "simulator/design_loader.h"

namespace zol {
namespace {

DesignLoadResult Load(const char* json, SimDesign& design) {
    return LoadDesignJson(QByteArray(json), QStringLiteral("."), design);
}

TEST(DesignLoader, DemoHouseLoadsWithoutWarnings) {
    SimDesign design;
    DesignLoadResult result = LoadDesignFile(QStringLiteral(ZOLSIM_DEMO_DESIGN), design);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(result.warnings.empty()) << result.warnings.front();
    EXPECT_EQ(design.objects.size(), 86u);
    std::set<int> tileTypes;
    for (const SimDisplay& display : design.displays) {
        for (const SimTile& tile : display.tiles) {
            tileTypes.insert(tile.tileType);
        }
    }
    EXPECT_EQ(tileTypes.size(), 9u) << "every tile type";
    EXPECT_NE(design.FindFile("pictures\\kitchen.png"), nullptr);
    EXPECT_EQ(design.serverStatus.state, 0) << "the demo's status bar is not yellow";
}

// Rockers a keypad's layout has: "ZS" and the first digit, or "Keypad" and
// its digit; 0 for keypads without rockers.
std::size_t LayoutRockers(const std::string& templateName) {
    if (templateName.starts_with("ZS") && templateName.size() > 2) {
        return static_cast<std::size_t>(templateName[2] - '0');
    }
    if (templateName.size() == 7 && templateName.starts_with("Keypad")) {
        return static_cast<std::size_t>(templateName[6] - '0');
    }
    return 0;
}

TEST(DesignLoader, DemoHouseHoldsTheCasesTheClientsMustShow) {
    SimDesign design;
    ASSERT_TRUE(LoadDesignFile(QStringLiteral(ZOLSIM_DEMO_DESIGN), design).ok);
    int fourKeyKey8 = 0;
    bool key7WithUp = false;
    bool unknownTemplate = false;
    const char* const known[] = {"ZS",      "Keypad",     "KL",    "UPB",      "HKEY6",
                                 "Program", "thermostat", "onoff", "IRDevice", "None"};
    for (const SimObject& object : design.objects) {
        const std::size_t rockers = LayoutRockers(object.templateName);
        if (rockers > 0) {
            EXPECT_EQ(object.texts.size(), rockers) << object.name << ": a caption per rocker";
        }
        fourKeyKey8 += (object.templateName == "KL8" || object.templateName == "UPB8") &&
                       object.buttonNames.size() == 4;
        key7WithUp =
            key7WithUp || (object.templateName.starts_with("UPB7") &&
                           object.buttonNames.size() == 7 && object.buttonNames[6] == "UP");
        unknownTemplate = unknownTemplate ||
                          (!object.templateName.empty() &&
                           std::none_of(std::begin(known), std::end(known), [&](const char* p) {
                               return object.templateName.starts_with(p);
                           }));
    }
    EXPECT_EQ(fourKeyKey8, 2);
    EXPECT_TRUE(key7WithUp);
    EXPECT_TRUE(unknownTemplate);
    bool meterWithoutFixedMax = false;
    bool stackedGraph = false;
    for (const SimDisplay& display : design.displays) {
        for (const SimTile& tile : display.tiles) {
            meterWithoutFixedMax =
                meterWithoutFixedMax || (tile.tileType == kTileMeter && !tile.fixedMax);
        }
        // The clients take a graph as stacked when its last bar is.
        stackedGraph =
            stackedGraph || (!display.graphBars.empty() && display.graphBars.back().stacked);
    }
    EXPECT_TRUE(meterWithoutFixedMax);
    EXPECT_TRUE(stackedGraph);
}

TEST(DesignLoader, DemoDashboardShowsEveryTileKindWithPagesThatExist) {
    SimDesign design;
    ASSERT_TRUE(LoadDesignFile(QStringLiteral(ZOLSIM_DEMO_DESIGN), design).ok);
    const SimDisplay* main = design.FindDisplayByName("Main");
    ASSERT_NE(main, nullptr);
    std::set<int> kinds;
    for (const SimTile& tile : main->tiles)
        kinds.insert(tile.tileType);
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    // A page beside the design goes out as an absolute file URL; others stay.
    const QUrl weather(QString::fromStdString(design.FindDisplayByName("Weather")->htmlUrl));
    EXPECT_TRUE(weather.isLocalFile());
    EXPECT_TRUE(QFileInfo::exists(weather.toLocalFile()));
    SimDesign pages;
    ASSERT_TRUE(
        Load(R"({"displays": [{"name": "A", "displayId": 1, "htmlUrl": "file:///srv/a.html"},
                                      {"name": "B", "displayId": 2, "htmlUrl": "https://example.invalid/b"}]})",
             pages)
            .ok);
    EXPECT_EQ(pages.displays[0].htmlUrl, "file:///srv/a.html");
    EXPECT_EQ(pages.displays[1].htmlUrl, "https://example.invalid/b");
}

TEST(DesignLoader, ReadsMembersColoursAndTileTypeNames) {
    SimDesign design;
    DesignLoadResult result = Load(R"({
        "designName": "T", "designTimeStamp": "20240101120000",
        "objects": [{"objectId": 1, "name": "Lamp", "location": "Den", "level": 30,
                     "overlayColor": "#102030", "buttonNames": ["A", "B"]}],
        "displays": [{"name": "D", "displayId": 9, "displayKind": 5,
                      "tiles": [{"tileType": "meter", "tileId": 1, "maxWatts": 500, "colour": 1}]}]
    })",
                                   design);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(design.objects[0].overlayColor, 0x302010) << "colours are 0x00BBGGRR";
    EXPECT_EQ(design.objects[0].buttonStates.size(), 2u);
    EXPECT_EQ(design.displays[0].caption, "D");
    EXPECT_EQ(design.displays[0].tiles[0].tileType, kTileMeter);
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_NE(result.warnings[0].find("\"colour\""), std::string::npos);
}

TEST(DesignLoader, WarnsAboutReferencesThatNameNothing) {
    SimDesign design;
    DesignLoadResult result = Load(R"({
        "objects": [{"objectId": 1, "name": "Lamp"}],
        "displays": [{"name": "D", "displayId": 9, "objectIds": [1, 99],
                      "tiles": [{"tileType": "icons", "sourceDisplayId": 77, "tileName": "I"},
                                {"tileType": "blank", "tapAction": 2, "tapProgramId": 1}]}]
    })",
                                   design);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.warnings.size(), 2u);
    EXPECT_NE(result.warnings[0].find("object 99"), std::string::npos) << result.warnings[0];
    EXPECT_NE(result.warnings[1].find("tile \"I\": display 77"), std::string::npos)
        << result.warnings[1];
}

TEST(DesignLoader, WarnsAboutSectionLinesAndSchedulesTheClientsWouldMisread) {
    SimDesign design;
    DesignLoadResult result = Load(R"({
        "schedules": [{"number": 1, "name": "Weekday"}, {"number": 5, "name": "Holiday"}],
        "currentSchedule": 2,
        "extendedStatus": {"lines": ["---Monday", "--Tuesday", "Doors,closed"]}
    })",
                                   design);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.warnings.size(), 2u);
    EXPECT_NE(result.warnings[0].find("extendedStatus.lines[1]"), std::string::npos)
        << result.warnings[0];
    EXPECT_NE(result.warnings[1].find("currentSchedule 2"), std::string::npos)
        << result.warnings[1];
}

TEST(DesignLoader, RefusesMistakesAndSaysWhere) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"objects": [{"objectId": 1, "name": "A"}, {"objectId": 1, "name": "B"}]})",
         "object id 1 is used twice"},
        {R"({"objects": [{"objectId": "one", "name": "A"}]})", "design.objects[0].objectId"},
        {R"({"displays": [{"name": "X", "displayId": 4}], "objects": [{"objectId": 4, "name": "A"}]})",
         "display id 4"},
        {R"({"designTimeStamp": "2024"})", "designTimeStamp"},
        {R"({"files": {"a.png": {"path": "does/not/exist.png"}}})", "cannot read"},
        {R"({"objects": [{"objectId": 1, "name": "A", "texts": ["1","2","3","4","5","6","7","8","9","10","11","12","13","14","15","16","17"]}]})",
         "at most 16"},
        {R"([1, 2])", "JSON object"},
        {R"({"objects": [)", "not valid JSON"},
    };
    for (const auto& [json, expected] : cases) {
        SimDesign design;
        DesignLoadResult result = Load(json, design);
        EXPECT_FALSE(result.ok) << json;
        EXPECT_NE(result.error.find(expected), std::string::npos) << result.error;
    }
}

TEST(DesignGenerator, ParsesItsSpecAndBuildsAValidDesign) {
    GenerateSpec spec;
    EXPECT_EQ(ParseGenerateSpec("objects=300,displays=7,tiles=9", spec), "");
    EXPECT_EQ(spec.objects, 300);
    EXPECT_EQ(spec.tilesPerDisplay, 9);
    EXPECT_NE(ParseGenerateSpec("objects=-1", spec), "");
    EXPECT_NE(ParseGenerateSpec("rooms=3", spec), "");
    EXPECT_NE(ParseGenerateSpec("tiles=1000", spec), "");
    EXPECT_NE(ParseGenerateSpec("icons=100000", spec), "");

    const SimDesign design = GenerateDesign({300, 7, 9});
    EXPECT_EQ(design.objects.size(), 300u);
    EXPECT_EQ(design.displays.size(), 7u);
    EXPECT_EQ(design.displays[6].tiles.size(), 9u);
    DesignLoadResult result;
    result.ok = true;
    ValidateDesign(design, result);
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(result.warnings.empty());
}

TEST(DesignGenerator, TheLargestIconDisplayFitsOneReply) {
    GenerateSpec spec;
    ASSERT_EQ(ParseGenerateSpec("objects=5000,displays=2,icons=800", spec), "");
    const SimDesign design = GenerateDesign(spec);
    ASSERT_EQ(design.displays.size(), 3u);
    EXPECT_EQ(design.displays[2].name, "Icons");
    EXPECT_EQ(design.displays[2].objectIds.size(), 800u);
    DesignLoadResult result;
    result.ok = true;
    ValidateDesign(design, result);
    EXPECT_TRUE(result.ok) << result.error;
}

}  // namespace
}  // namespace zol
