#include "simulator/design_generator.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <sstream>

namespace zol {

namespace {

constexpr int kFirstDisplayId = 1000000;
constexpr int kObjectsPerRoom = 12;
// Object ids start above 100, the id of the home page a client constructs.
constexpr int kFirstObjectId = 1001;

constexpr std::array<const char*, 8> kDeviceTemplates = {
    "onoffdim",   "onoff",           "ZS24Load", "Keypad4",
    "KL6LoadDim", "thermostatTHCMF", "IRDevice", "None"};

SimObject MakeObject(int index) {
    SimObject object;
    object.objectId = kFirstObjectId + index;
    object.location = "Room " + std::to_string(index / kObjectsPerRoom + 1);
    object.objectKind = index % 10 == 7 ? 1 : (index % 10 == 8 ? 2 : (index % 10 == 9 ? 3 : 0));
    static constexpr std::array<const char*, 4> kKindWords = {"Light", "Scene", "Group",
                                                              "Controller"};
    object.name = std::string(kKindWords[static_cast<std::size_t>(object.objectKind)]) + " " +
                  std::to_string(index + 1);
    object.iconName = object.objectKind == 1 ? "Program" : "Lamp";
    object.clickAction = 1;
    object.doubleClickAction = 2;
    object.level = (index * 37) % 101;
    object.metered = index % 3 == 0 ? 60 : 0;
    if (object.objectKind == 0) {
        object.templateName =
            kDeviceTemplates[static_cast<std::size_t>(index) % kDeviceTemplates.size()];
    } else if (object.objectKind == 1) {
        object.templateName = "ProgramStartStop";
    } else {
        object.templateName = "onoff";
    }
    if (object.templateName == "ZS24Load" || object.templateName == "Keypad4" ||
        object.templateName == "KL6LoadDim") {
        for (int b = 1; b <= 6; ++b) {
            object.buttonNames.push_back("Button " + std::to_string(b));
            object.buttonStates.push_back(b % 2);
        }
    }
    if (object.templateName.rfind("thermostat", 0) == 0) {
        object.thermostat = SimThermostat();
    }
    if (object.templateName == "IRDevice") {
        object.infraredKeys = {{"Power", "Power", {1, 0, 0, 0, 0}},
                               {"VolUp", "Vol +", {2, 0, 0, 0, 0}},
                               {"VolDown", "Vol -", {3, 0, 0, 0, 0}}};
    }
    return object;
}

SimTile MakeTile(int index, int displayId) {
    SimTile tile;
    tile.tileType = index % 9;
    tile.tileId = index + 1;
    tile.tileName = "Tile " + std::to_string(index + 1);
    tile.label = tile.tileType == kTileText ? "%TIME%" : "Tile " + std::to_string(index + 1);
    tile.gridX = (index % 5) * 8;
    tile.gridY = (index / 5) * 8;
    tile.gridWidth = 8;
    tile.gridHeight = 8;
    tile.backColor = 0x303030;
    tile.labelColor = 0xFFFFFF;
    tile.tapAction = index % 4 == 1 ? 1 : 0;
    tile.tapDisplayId = displayId;
    tile.refreshInterval = tile.tileType == kTileAlert ? 30 : 0;
    tile.refreshInSeconds = 1;
    tile.htmlDisplayId = displayId;
    tile.sourceDisplayId = displayId;
    tile.imageName = "pictures\\generated.png";
    tile.fitToTile = 1;
    tile.powerDisplayId = displayId;
    tile.text = "Generated text " + std::to_string(index + 1);
    tile.maxWatts = 3000;
    return tile;
}

}  // namespace

std::string ParseGenerateSpec(const std::string& text, GenerateSpec& spec) {
    std::istringstream stream(text);
    for (std::string item; std::getline(stream, item, ',');) {
        const std::size_t equals = item.find('=');
        if (equals == std::string::npos) {
            return "expected name=number in \"" + item + "\"";
        }
        const std::string name = item.substr(0, equals);
        int value = 0;
        const char* first = item.data() + equals + 1;
        const char* last = item.data() + item.size();
        const auto [end, error] = std::from_chars(first, last, value);
        if (error != std::errc() || end != last || value < 0) {
            return "expected a number after " + name + "=";
        }
        if (name == "objects" && value <= kMaxGeneratedObjects) {
            spec.objects = value;
        } else if (name == "displays" && value <= kMaxGeneratedDisplays) {
            spec.displays = value;
        } else if (name == "tiles" && value <= kMaxGeneratedTiles) {
            spec.tilesPerDisplay = value;
        } else if (name == "icons" && value <= kMaxGeneratedIcons) {
            spec.icons = value;
        } else {
            return "unknown name or value too large: " + item + " (limits: objects " +
                   std::to_string(kMaxGeneratedObjects) + ", displays " +
                   std::to_string(kMaxGeneratedDisplays) + ", tiles " +
                   std::to_string(kMaxGeneratedTiles) + ", icons " +
                   std::to_string(kMaxGeneratedIcons) + ")";
        }
    }
    return {};
}

SimDesign GenerateDesign(const GenerateSpec& spec) {
    SimDesign design;
    design.designName = "Generated " + std::to_string(spec.objects) + "x" +
                        std::to_string(spec.displays) + "x" + std::to_string(spec.tilesPerDisplay);
    design.designTitle = design.designName;
    design.designTimeStamp = "20240601120000";
    design.homeModeNames = {"Home", "Away", "Night", "Vacation"};
    design.schedules = {{1, "Weekday"}, {2, "Weekend"}};
    design.currentSchedule = 1;
    design.files["pictures/generated.png"] = std::string(1024, '\x5A');
    design.objects.reserve(static_cast<std::size_t>(spec.objects));
    for (int i = 0; i < spec.objects; ++i) {
        design.objects.push_back(MakeObject(i));
    }
    const int perDisplay = spec.displays == 0
                               ? 0
                               : std::min(kMaxObjectsPerGeneratedDisplay,
                                          (spec.objects + spec.displays - 1) / spec.displays);
    design.displays.reserve(static_cast<std::size_t>(spec.displays));
    for (int d = 0; d < spec.displays; ++d) {
        SimDisplay display;
        display.displayId = kFirstDisplayId + d;
        display.name = "Display " + std::to_string(d + 1);
        display.caption = display.name;
        display.iconName = "Display";
        display.clickAction = 2;
        display.displayKind = 5;
        display.layoutTheme = "Theme_110_110";
        for (int k = 0; k < perDisplay && d * perDisplay + k < spec.objects; ++k) {
            display.objectIds.push_back(kFirstObjectId + d * perDisplay + k);
        }
        display.text = "Generated display " + std::to_string(d + 1);
        display.htmlUrl = "about:blank";
        display.graphTitle = "Power";
        for (int t = 0; t < spec.tilesPerDisplay; ++t) {
            display.tiles.push_back(MakeTile(t, display.displayId));
        }
        design.displays.push_back(std::move(display));
    }
    if (spec.icons > 0) {
        SimDisplay icons;
        icons.displayId = kFirstDisplayId + spec.displays;
        icons.name = "Icons";
        icons.caption = icons.name;
        icons.iconName = "Display";
        icons.clickAction = 2;
        icons.displayKind = 0;
        icons.layoutTheme = "Theme_110_110";
        for (int k = 0; k < std::min(spec.icons, spec.objects); ++k) {
            icons.objectIds.push_back(kFirstObjectId + k);
        }
        design.displays.push_back(std::move(icons));
    }
    return design;
}

}  // namespace zol
