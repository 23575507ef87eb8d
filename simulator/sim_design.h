// The house that zolsim serves: design objects, displays with their tiles,
// home modes, schedules, server status, files and the small per-request data
// (thermostats, alerts, infrared keys, placeholders). Texts are wire bytes
// (single-byte, as the clients expect them).
//
// Plain data; the owner (SimServer) touches it from its one event-loop thread.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zol {

inline constexpr int kMaxButtons = 16;

// Thermostat state answered by "ThermostatState" and changed by
// "ThermostatChange".
struct SimThermostat {
    int heatSetpoint = 68;
    int heatSetpointHigh = 90;
    int heatSetpointLow = 50;
    int coolSetpoint = 76;
    int coolSetpointHigh = 90;
    int coolSetpointLow = 60;
    int currentTemperature = 71;
    int mode = 3;  // 0 off, 1 heat, 2 cool, 3 auto
    int fan = 1;   // as on the wire: 0 means the fan runs continuously
    bool celsius = false;
    int extraNumber = 0;
    std::string extraText;
};

// One key of an infrared keypad: two texts and five numbers on the wire.
struct SimInfraredKey {
    std::string name;
    std::string label;
    std::array<int, 5> numbers{};
};

struct SimObject {
    int objectId = 0;
    std::string name;
    std::string location;
    std::string iconName;
    std::string templateName;
    std::string statusText;
    int clickAction = 0;
    int doubleClickAction = 0;
    int reserved2 = 0;
    int reserved3 = 0;
    int reserved4 = 0;
    int level = 0;
    int metered = 0;
    int suspendState = 0;
    int errorCondition = 0;
    int objectKind = 0;  // 0 Device, 1 Program, 2 Group, 3 Controller
    std::vector<std::string> texts;
    std::vector<std::string> buttonNames;
    std::vector<int> buttonStates;
    std::string ownIconName;
    std::string caption;
    int ownLevel = 0;
    std::string overlayText;
    int overlaySize = 0;
    int overlayColor = 0;

    // Simulation extras, not part of the client's record.
    std::optional<SimThermostat> thermostat;
    std::vector<SimInfraredKey> infraredKeys;
    int commandResult = 0;  // non-zero: every command on this object fails with it

    std::string FullName() const { return location + " - " + name; }
};

struct SimFontDescription {
    int height = -35;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 400;
    int italic = 0;
    int underline = 0;
    int strikeOut = 0;
    int charSet = 0;
    int pitchAndFamily = 32;
    std::string faceName = "Open Sans Light";
};

enum SimTileType : int {
    kTileBlank = 0,
    kTileHtml = 1,
    kTileIcons = 2,
    kTileImage = 3,
    kTilePower = 4,
    kTileText = 5,
    kTileMeter = 6,
    kTileAlert = 7,
    kTileStatus = 8,
};

struct SimTile {
    int tileType = kTileBlank;
    int tileId = 0;
    std::string tileName;
    std::string label;
    int gridX = 0;
    int gridY = 0;
    int gridWidth = 4;
    int gridHeight = 4;
    int tileStyle = 0;
    int backColor = 0;
    int labelColor = 0xFFFFFF;
    int tapAction = 0;
    int tapDisplayId = 0;
    int tapProgramId = 0;
    int holdAction = 0;
    int holdDisplayId = 0;
    int holdProgramId = 0;
    int refreshInterval = 0;
    int refreshInSeconds = 0;
    int refreshMode = 0;
    int refreshProgramId = 0;
    int cornerMode = 0;

    // Type data; only the members of `tileType` are sent.
    int useOwnUrl = 0;  // HTML
    int htmlDisplayId = 0;
    std::string ownUrl;
    int customSpacing = 0;  // icons
    int spacingX = 0;
    int spacingY = 0;
    int mruMode = 0;
    std::array<int, 4> mruNumbers{};
    int sourceDisplayId = 0;
    std::string imageName;  // image
    int fitToTile = 0;
    int fetchOnce = 0;
    int powerDisplayId = 0;  // power
    std::string text;        // text
    int autoFit = 1;
    int alignment = 0;
    SimFontDescription font;
    int maxWatts = 0;  // meter
    int fixedMax = 0;
};

// One bar of a power graph display: a single value (one object) or a stack.
struct SimGraphSegment {
    int objectId = 0;
    std::optional<int> value;  // absent: metered × level ÷ 100, live
    int red = 0;
    int green = 128;
    int blue = 255;
};

struct SimGraphBar {
    std::string name;
    bool stacked = false;
    std::vector<SimGraphSegment> segments;
};

struct SimDisplay {
    std::string name;
    int displayId = 0;
    int reserved = 0;
    std::string caption;
    std::string iconName;
    int clickAction = 0;
    int doubleClickAction = 0;
    int noHomeReturn = 0;
    int level = 0;
    int hiddenFromHome = 0;
    int showLocations = 0;
    int displayKind = 0;  // 0 icons, 1 HTML, 2 HTML folder, 3 power, 4 text, 5 tiled, 6 MRU
    std::string ownIconName;
    std::string iconCaption;
    int ownLevel = 0;
    std::string layoutTheme;
    std::string positionsIconSet;
    std::vector<int> objectIds;
    int backgroundMode = 0;
    std::string backgroundImage;
    std::string htmlPath;
    std::string htmlAddress;
    int htmlCopyAtConnect = 0;
    int enterExitProgramId = 0;
    int reserved29 = 0;
    int reserved31 = 0;
    int explicitPositions = 0;
    int hideNames = 0;
    std::vector<std::pair<int, int>> iconPositions;
    std::vector<SimTile> tiles;

    // Content served by the display requests.
    std::string text;               // "GetDisplayText" (kind 4)
    std::string htmlUrl;            // "GetDisplayHTML" (kind 1)
    std::string htmlPage;           // "GetDisplayHTML" chunks (kind 2)
    std::string htmlFolderFile;     // file name (in `files`) of the zip for "GetDisplayHTMLFolder"
    std::vector<int> mruObjectIds;  // "GetDisplayMRU" by name (kind 6)
    std::string graphTitle;
    std::vector<SimGraphBar> graphBars;
};

struct SimSchedule {
    int number = 0;
    std::string name;
};

struct SimAlertEntry {
    std::string message;
    std::string timeStamp;  // 14 digits, or empty for an entry without time stamp
};

struct SimServerStatus {
    int state = 0;                  // 1 warning (yellow status bar), 2 fault (red), else normal
    std::array<int, 5> numbers{};   // numbers[0] red count, numbers[1] yellow count
    std::string sunrise = "06:30";  // HH:MM, today
    std::string sunset = "19:45";
};

struct SimExtendedStatus {
    int number = 0;
    std::string upTime;  // empty: the time since zolsim started
    std::string firstDate;
    std::string secondDate;
    std::string title = "Server Status";
    std::vector<std::string> lines;
};

// One icon set's files as the server lists them for "GetThemeIcons".
struct SimThemeIconSet {
    std::string name;
    std::vector<std::string> fileNames;  // each a key of SimDesign::files
};

struct SimDesign {
    std::string designName = "Untitled";
    std::string designTimeStamp = "20240101120000";
    std::string designTitle = "Untitled";
    std::string cloudToken;
    std::vector<SimObject> objects;
    std::vector<SimDisplay> displays;
    std::vector<std::string> homeModeNames;
    int currentHomeMode = 0;
    std::vector<SimSchedule> schedules;
    int currentSchedule = 0;  // the current schedule's number
    SimServerStatus serverStatus;
    SimExtendedStatus extendedStatus;
    int alertSeverity = 0;
    std::vector<SimAlertEntry> alerts;
    std::vector<int> mruObjectIds;                    // "GetDisplayMRU" with four numbers
    std::map<std::string, std::string> placeholders;  // "FormatText": "%name%" -> value
    std::map<std::string, std::string> files;         // lower-cased server name -> bytes
    std::vector<SimThemeIconSet> themeIconSets;

    SimObject* FindObject(int objectId);
    SimObject* FindObjectByFullName(const std::string& fullName);
    SimDisplay* FindDisplay(int displayId);
    SimDisplay* FindDisplayByName(const std::string& name);
    const SimSchedule* FindSchedule(int number) const;
    const std::string* FindFile(const std::string& serverName) const;
};

// File names from the server may use either slash and any letter case.
std::string NormalizeFileName(const std::string& serverName);

}  // namespace zol
