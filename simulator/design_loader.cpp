#include "simulator/design_loader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QUrl>
#include <exception>
#include <set>
#include <stdexcept>

#include "serverlink/field_list.h"
#include "simulator/design_entries.h"
#include "simulator/tile_entries.h"

namespace zol {

namespace {

using namespace Qt::Literals::StringLiterals;

// A refusal, with the JSON path where it happened.
struct DesignError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads one JSON object, remembering which keys were used so that unknown
// keys (typing mistakes, mostly) can be reported.
class JsonReader {
  public:
    JsonReader(const QJsonObject& object, std::string path, std::vector<std::string>& warnings)
        : object_(object), path_(std::move(path)), warnings_(warnings) {}

    ~JsonReader() {
        if (std::uncaught_exceptions() > 0) {
            return;  // the refusal says what went wrong; unread keys are no news
        }
        for (auto it = object_.begin(); it != object_.end(); ++it) {
            if (!used_.contains(it.key())) {
                warnings_.push_back(path_ + ": unknown key \"" + it.key().toStdString() + "\"");
            }
        }
    }
    JsonReader(const JsonReader&) = delete;
    JsonReader& operator=(const JsonReader&) = delete;

    bool Has(const char* key) const { return object_.contains(QLatin1String(key)); }

    QJsonValue Value(const char* key) {
        used_.insert(QLatin1String(key));
        return object_.value(QLatin1String(key));
    }

    void Int(const char* key, int& target) {
        const QJsonValue value = Value(key);
        if (value.isUndefined() || value.isNull()) {
            return;
        }
        if (!value.isDouble() || value.toDouble() != static_cast<double>(value.toInt())) {
            Fail(key, "expected a whole number");
        }
        target = value.toInt();
    }

    // Colours as numbers (0x00BBGGRR) or as "#RRGGBB".
    void Color(const char* key, int& target) {
        const QJsonValue value = Value(key);
        if (value.isString()) {
            const QString text = value.toString();
            bool ok = false;
            const uint rgb = text.mid(1).toUInt(&ok, 16);
            if (!text.startsWith(u'#') || text.size() != 7 || !ok) {
                Fail(key, "expected a colour \"#RRGGBB\"");
            }
            target = static_cast<int>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
            return;
        }
        used_.remove(QLatin1String(key));
        Int(key, target);
    }

    void Text(const char* key, std::string& target) {
        const QJsonValue value = Value(key);
        if (value.isUndefined() || value.isNull()) {
            return;
        }
        if (!value.isString()) {
            Fail(key, "expected a text");
        }
        target = WireText(value.toString());
    }

    void IntList(const char* key, std::vector<int>& target) {
        const QJsonValue value = Value(key);
        if (value.isUndefined()) {
            return;
        }
        if (!value.isArray()) {
            Fail(key, "expected a list of numbers");
        }
        target.clear();
        for (const QJsonValue& item : value.toArray()) {
            if (!item.isDouble()) {
                Fail(key, "expected a list of numbers");
            }
            target.push_back(item.toInt());
        }
    }

    void TextList(const char* key, std::vector<std::string>& target) {
        const QJsonValue value = Value(key);
        if (value.isUndefined()) {
            return;
        }
        if (!value.isArray()) {
            Fail(key, "expected a list of texts");
        }
        target.clear();
        for (const QJsonValue& item : value.toArray()) {
            if (!item.isString()) {
                Fail(key, "expected a list of texts");
            }
            target.push_back(WireText(item.toString()));
        }
    }

    QJsonArray Array(const char* key) {
        const QJsonValue value = Value(key);
        if (!value.isUndefined() && !value.isArray()) {
            Fail(key, "expected a list");
        }
        return value.toArray();
    }

    QJsonObject Object(const char* key) {
        const QJsonValue value = Value(key);
        if (!value.isUndefined() && !value.isObject()) {
            Fail(key, "expected an object");
        }
        return value.toObject();
    }

    std::string Path(const char* key) const { return path_ + "." + key; }
    std::vector<std::string>& Warnings() { return warnings_; }

    [[noreturn]] void Fail(const char* key, const std::string& why) const {
        throw DesignError(Path(key) + ": " + why);
    }

    // The wire carries single-byte texts; characters beyond Latin-1 become "?".
    static std::string WireText(const QString& text) { return text.toLatin1().toStdString(); }

  private:
    QJsonObject object_;
    std::string path_;
    std::vector<std::string>& warnings_;
    QSet<QString> used_;
};

QJsonObject ExpectObject(const QJsonValue& value, const std::string& path) {
    if (!value.isObject()) {
        throw DesignError(path + ": expected an object");
    }
    return value.toObject();
}

std::string Indexed(const std::string& path, qsizetype index) {
    return path + "[" + std::to_string(index) + "]";
}

void ReadThermostat(JsonReader& parent, SimObject& object) {
    if (!parent.Has("thermostat")) {
        parent.Value("thermostat");
        return;
    }
    JsonReader json(parent.Object("thermostat"), parent.Path("thermostat"), parent.Warnings());
    SimThermostat t;
    json.Int("heatSetpoint", t.heatSetpoint);
    json.Int("heatSetpointHigh", t.heatSetpointHigh);
    json.Int("heatSetpointLow", t.heatSetpointLow);
    json.Int("coolSetpoint", t.coolSetpoint);
    json.Int("coolSetpointHigh", t.coolSetpointHigh);
    json.Int("coolSetpointLow", t.coolSetpointLow);
    json.Int("currentTemperature", t.currentTemperature);
    json.Int("mode", t.mode);
    json.Int("fan", t.fan);
    int celsius = 0;
    json.Int("celsius", celsius);
    t.celsius = celsius != 0;
    json.Int("extraNumber", t.extraNumber);
    json.Text("extraText", t.extraText);
    object.thermostat = t;
}

void ReadInfraredKeys(JsonReader& parent, SimObject& object) {
    const QJsonArray keys = parent.Array("infraredKeys");
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const std::string path = Indexed(parent.Path("infraredKeys"), i);
        JsonReader json(ExpectObject(keys[i], path), path, parent.Warnings());
        SimInfraredKey key;
        json.Text("name", key.name);
        json.Text("label", key.label);
        std::vector<int> numbers;
        json.IntList("numbers", numbers);
        if (numbers.size() > key.numbers.size()) {
            json.Fail("numbers", "at most five numbers");
        }
        std::copy(numbers.begin(), numbers.end(), key.numbers.begin());
        object.infraredKeys.push_back(key);
    }
}

SimObject ReadObject(const QJsonValue& value, const std::string& path,
                     std::vector<std::string>& warnings) {
    JsonReader json(ExpectObject(value, path), path, warnings);
    SimObject object;
    json.Int("objectId", object.objectId);
    json.Text("name", object.name);
    json.Text("location", object.location);
    json.Text("iconName", object.iconName);
    json.Text("templateName", object.templateName);
    json.Text("statusText", object.statusText);
    json.Int("clickAction", object.clickAction);
    json.Int("doubleClickAction", object.doubleClickAction);
    json.Int("reserved2", object.reserved2);
    json.Int("reserved3", object.reserved3);
    json.Int("reserved4", object.reserved4);
    json.Int("level", object.level);
    json.Int("metered", object.metered);
    json.Int("suspendState", object.suspendState);
    json.Int("errorCondition", object.errorCondition);
    json.Int("objectKind", object.objectKind);
    json.TextList("texts", object.texts);
    json.TextList("buttonNames", object.buttonNames);
    json.IntList("buttonStates", object.buttonStates);
    json.Text("ownIconName", object.ownIconName);
    json.Text("caption", object.caption);
    json.Int("ownLevel", object.ownLevel);
    json.Text("overlayText", object.overlayText);
    json.Int("overlaySize", object.overlaySize);
    json.Color("overlayColor", object.overlayColor);
    json.Int("commandResult", object.commandResult);
    ReadThermostat(json, object);
    ReadInfraredKeys(json, object);
    if (!json.Has("name")) {
        json.Fail("name", "every object needs a name");
    }
    if (object.texts.size() > kMaxButtons || object.buttonNames.size() > kMaxButtons ||
        object.buttonStates.size() > kMaxButtons) {
        json.Fail("buttonNames", "at most 16 texts, buttons and button states");
    }
    object.buttonStates.resize(object.buttonNames.size(), 0);
    return object;
}

int TileTypeByName(const QString& name) {
    static const char* const kNames[] = {"blank", "html",  "icons", "image", "power",
                                         "text",  "meter", "alert", "status"};
    for (int i = 0; i < 9; ++i) {
        if (name.compare(QLatin1String(kNames[i]), Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

void ReadFont(JsonReader& parent, SimFontDescription& font) {
    if (!parent.Has("font")) {
        parent.Value("font");
        return;
    }
    JsonReader json(parent.Object("font"), parent.Path("font"), parent.Warnings());
    json.Int("height", font.height);
    json.Int("width", font.width);
    json.Int("escapement", font.escapement);
    json.Int("orientation", font.orientation);
    json.Int("weight", font.weight);
    json.Int("italic", font.italic);
    json.Int("underline", font.underline);
    json.Int("strikeOut", font.strikeOut);
    json.Int("charSet", font.charSet);
    json.Int("pitchAndFamily", font.pitchAndFamily);
    json.Text("faceName", font.faceName);
    if (font.faceName.size() > 31) {
        json.Fail("faceName", "at most 31 characters");
    }
}

SimTile ReadTile(const QJsonValue& value, const std::string& path,
                 std::vector<std::string>& warnings) {
    JsonReader json(ExpectObject(value, path), path, warnings);
    SimTile tile;
    if (json.Has("tileType") && json.Value("tileType").isString()) {
        tile.tileType = TileTypeByName(json.Value("tileType").toString());
        if (tile.tileType < 0) {
            json.Fail("tileType", "unknown tile type name");
        }
    } else {
        json.Int("tileType", tile.tileType);
    }
    json.Int("tileId", tile.tileId);
    json.Text("tileName", tile.tileName);
    json.Text("label", tile.label);
    json.Int("gridX", tile.gridX);
    json.Int("gridY", tile.gridY);
    json.Int("gridWidth", tile.gridWidth);
    json.Int("gridHeight", tile.gridHeight);
    json.Int("tileStyle", tile.tileStyle);
    json.Color("backColor", tile.backColor);
    json.Color("labelColor", tile.labelColor);
    json.Int("tapAction", tile.tapAction);
    json.Int("tapDisplayId", tile.tapDisplayId);
    json.Int("tapProgramId", tile.tapProgramId);
    json.Int("holdAction", tile.holdAction);
    json.Int("holdDisplayId", tile.holdDisplayId);
    json.Int("holdProgramId", tile.holdProgramId);
    json.Int("refreshInterval", tile.refreshInterval);
    json.Int("refreshInSeconds", tile.refreshInSeconds);
    json.Int("refreshMode", tile.refreshMode);
    json.Int("refreshProgramId", tile.refreshProgramId);
    json.Int("cornerMode", tile.cornerMode);
    json.Int("useOwnUrl", tile.useOwnUrl);
    json.Int("htmlDisplayId", tile.htmlDisplayId);
    json.Text("ownUrl", tile.ownUrl);
    json.Int("customSpacing", tile.customSpacing);
    json.Int("spacingX", tile.spacingX);
    json.Int("spacingY", tile.spacingY);
    json.Int("mruMode", tile.mruMode);
    std::vector<int> mruNumbers;
    json.IntList("mruNumbers", mruNumbers);
    if (mruNumbers.size() > tile.mruNumbers.size()) {
        json.Fail("mruNumbers", "at most four numbers");
    }
    std::copy(mruNumbers.begin(), mruNumbers.end(), tile.mruNumbers.begin());
    json.Int("sourceDisplayId", tile.sourceDisplayId);
    json.Text("imageName", tile.imageName);
    json.Int("fitToTile", tile.fitToTile);
    json.Int("fetchOnce", tile.fetchOnce);
    json.Int("powerDisplayId", tile.powerDisplayId);
    json.Text("text", tile.text);
    json.Int("autoFit", tile.autoFit);
    json.Int("alignment", tile.alignment);
    ReadFont(json, tile.font);
    json.Int("maxWatts", tile.maxWatts);
    json.Int("fixedMax", tile.fixedMax);
    return tile;
}

void ReadGraph(JsonReader& parent, SimDisplay& display) {
    if (!parent.Has("graph")) {
        parent.Value("graph");
        return;
    }
    JsonReader json(parent.Object("graph"), parent.Path("graph"), parent.Warnings());
    json.Text("title", display.graphTitle);
    const QJsonArray bars = json.Array("bars");
    auto readSegment = [&](const QJsonValue& value, const std::string& path) {
        JsonReader segmentJson(ExpectObject(value, path), path, parent.Warnings());
        SimGraphSegment segment;
        segmentJson.Int("objectId", segment.objectId);
        if (segmentJson.Has("value")) {
            int fixed = 0;
            segmentJson.Int("value", fixed);
            segment.value = fixed;
        }
        std::vector<int> color;
        segmentJson.IntList("color", color);
        if (!color.empty()) {
            if (color.size() != 3) {
                segmentJson.Fail("color", "expected [red, green, blue]");
            }
            segment.red = color[0];
            segment.green = color[1];
            segment.blue = color[2];
        }
        return segment;
    };
    for (qsizetype i = 0; i < bars.size(); ++i) {
        const std::string path = Indexed(json.Path("bars"), i);
        const QJsonObject barObject = ExpectObject(bars[i], path);
        SimGraphBar bar;
        if (barObject.contains(u"segments"_s)) {
            JsonReader barJson(barObject, path, parent.Warnings());
            barJson.Text("name", bar.name);
            bar.stacked = true;
            const QJsonArray segments = barJson.Array("segments");
            for (qsizetype k = 0; k < segments.size(); ++k) {
                bar.segments.push_back(readSegment(segments[k], Indexed(path + ".segments", k)));
            }
        } else {
            QJsonObject segmentObject = barObject;
            segmentObject.remove(u"name"_s);
            bar.name = JsonReader::WireText(barObject.value(u"name"_s).toString());
            bar.segments.push_back(readSegment(segmentObject, path));
        }
        display.graphBars.push_back(bar);
    }
}

SimDisplay ReadDisplay(const QJsonValue& value, const std::string& path,
                       std::vector<std::string>& warnings) {
    JsonReader json(ExpectObject(value, path), path, warnings);
    SimDisplay display;
    json.Text("name", display.name);
    json.Int("displayId", display.displayId);
    json.Int("reserved", display.reserved);
    json.Text("caption", display.caption);
    json.Text("iconName", display.iconName);
    json.Int("clickAction", display.clickAction);
    json.Int("doubleClickAction", display.doubleClickAction);
    json.Int("noHomeReturn", display.noHomeReturn);
    json.Int("level", display.level);
    json.Int("hiddenFromHome", display.hiddenFromHome);
    json.Int("showLocations", display.showLocations);
    json.Int("displayKind", display.displayKind);
    json.Text("ownIconName", display.ownIconName);
    json.Text("iconCaption", display.iconCaption);
    json.Int("ownLevel", display.ownLevel);
    json.Text("layoutTheme", display.layoutTheme);
    json.Text("positionsIconSet", display.positionsIconSet);
    json.IntList("objectIds", display.objectIds);
    json.Int("backgroundMode", display.backgroundMode);
    json.Text("backgroundImage", display.backgroundImage);
    json.Text("htmlPath", display.htmlPath);
    json.Text("htmlAddress", display.htmlAddress);
    json.Int("htmlCopyAtConnect", display.htmlCopyAtConnect);
    json.Int("enterExitProgramId", display.enterExitProgramId);
    json.Int("reserved29", display.reserved29);
    json.Int("reserved31", display.reserved31);
    json.Int("explicitPositions", display.explicitPositions);
    json.Int("hideNames", display.hideNames);
    const QJsonArray positions = json.Array("iconPositions");
    for (qsizetype i = 0; i < positions.size(); ++i) {
        const QJsonArray pair = positions[i].toArray();
        if (pair.size() != 2 || !pair[0].isDouble() || !pair[1].isDouble()) {
            json.Fail("iconPositions", "expected [x, y] pairs");
        }
        display.iconPositions.emplace_back(pair[0].toInt(), pair[1].toInt());
    }
    json.Text("text", display.text);
    json.Text("htmlUrl", display.htmlUrl);
    json.Text("htmlPage", display.htmlPage);
    json.Text("htmlFolderFile", display.htmlFolderFile);
    json.IntList("mruObjectIds", display.mruObjectIds);
    ReadGraph(json, display);
    const QJsonArray tiles = json.Array("tiles");
    for (qsizetype i = 0; i < tiles.size(); ++i) {
        display.tiles.push_back(ReadTile(tiles[i], Indexed(json.Path("tiles"), i), warnings));
    }
    if (display.name.empty()) {
        json.Fail("name", "every display needs a name");
    }
    if (display.caption.empty()) {
        display.caption = display.name;
    }
    return display;
}

void ReadFiles(JsonReader& root, const QString& baseFolder, SimDesign& design) {
    const QJsonObject files = root.Object("files");
    for (auto it = files.begin(); it != files.end(); ++it) {
        const std::string path = root.Path("files") + "." + it.key().toStdString();
        JsonReader json(ExpectObject(it.value(), path), path, root.Warnings());
        std::string bytes;
        if (json.Has("path")) {
            const QString relative = json.Value("path").toString();
            QFile file(QDir(baseFolder).filePath(relative));
            if (!file.open(QIODevice::ReadOnly)) {
                json.Fail("path", "cannot read " + file.fileName().toStdString());
            }
            const QByteArray content = file.readAll();
            bytes.assign(content.constData(), static_cast<std::size_t>(content.size()));
        } else if (json.Has("base64")) {
            const QByteArray content =
                QByteArray::fromBase64(json.Value("base64").toString().toLatin1());
            bytes.assign(content.constData(), static_cast<std::size_t>(content.size()));
        } else {
            json.Text("text", bytes);
        }
        design.files[NormalizeFileName(JsonReader::WireText(it.key()))] = std::move(bytes);
    }
}

void ReadStatus(JsonReader& root, SimDesign& design) {
    if (root.Has("serverStatus")) {
        JsonReader json(root.Object("serverStatus"), root.Path("serverStatus"), root.Warnings());
        json.Int("state", design.serverStatus.state);
        std::vector<int> numbers;
        json.IntList("numbers", numbers);
        if (numbers.size() > design.serverStatus.numbers.size()) {
            json.Fail("numbers", "at most five numbers");
        }
        std::copy(numbers.begin(), numbers.end(), design.serverStatus.numbers.begin());
        json.Text("sunrise", design.serverStatus.sunrise);
        json.Text("sunset", design.serverStatus.sunset);
    }
    if (root.Has("extendedStatus")) {
        JsonReader json(root.Object("extendedStatus"), root.Path("extendedStatus"),
                        root.Warnings());
        SimExtendedStatus& status = design.extendedStatus;
        json.Int("number", status.number);
        json.Text("upTime", status.upTime);
        json.Text("firstDate", status.firstDate);
        json.Text("secondDate", status.secondDate);
        json.Text("title", status.title);
        json.TextList("lines", status.lines);
        // The clients take a line that begins with "-" as a section and
        // drop its first three characters.
        for (std::size_t i = 0; i < status.lines.size(); ++i) {
            const std::string& line = status.lines[i];
            if (line.starts_with('-') && !line.starts_with("---")) {
                root.Warnings().push_back(Indexed(json.Path("lines"), static_cast<qsizetype>(i)) +
                                          ": a section line begins with \"---\"");
            }
        }
    }
    if (root.Has("alerts")) {
        JsonReader json(root.Object("alerts"), root.Path("alerts"), root.Warnings());
        json.Int("severity", design.alertSeverity);
        const QJsonArray entries = json.Array("entries");
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const std::string path = Indexed(json.Path("entries"), i);
            JsonReader entryJson(ExpectObject(entries[i], path), path, root.Warnings());
            SimAlertEntry entry;
            entryJson.Text("message", entry.message);
            entryJson.Text("time", entry.timeStamp);
            FieldDateTimeValue parsed;
            if (!entry.timeStamp.empty() && !ParseFieldDateTime(entry.timeStamp, parsed)) {
                entryJson.Fail("time", "expected YYYYMMDDhhmmss");
            }
            design.alerts.push_back(entry);
        }
    }
}

// "file:pages/x.html" names a page beside the design: the clients get it as
// an absolute file URL, so a design folder can carry its own pages.
void ResolveFileUrl(std::string& url, const QString& baseFolder) {
    constexpr std::string_view kFileScheme = "file:";
    if (url.rfind(kFileScheme, 0) != 0 || url.size() == kFileScheme.size() ||
        url[kFileScheme.size()] == '/') {
        return;
    }
    const QString relative = QString::fromStdString(url.substr(kFileScheme.size()));
    url = QUrl::fromLocalFile(QDir(baseFolder).absoluteFilePath(relative)).toString().toStdString();
}

void ReadDesign(const QJsonObject& rootObject, const QString& baseFolder, SimDesign& design,
                std::vector<std::string>& warnings) {
    JsonReader root(rootObject, "design", warnings);
    root.Text("designName", design.designName);
    root.Text("designTimeStamp", design.designTimeStamp);
    root.Text("designTitle", design.designTitle);
    root.Text("cloudToken", design.cloudToken);
    FieldDateTimeValue parsed;
    if (!ParseFieldDateTime(design.designTimeStamp, parsed)) {
        root.Fail("designTimeStamp", "expected YYYYMMDDhhmmss");
    }
    root.TextList("homeModes", design.homeModeNames);
    root.Int("currentHomeMode", design.currentHomeMode);
    const QJsonArray schedules = root.Array("schedules");
    for (qsizetype i = 0; i < schedules.size(); ++i) {
        const std::string path = Indexed(root.Path("schedules"), i);
        JsonReader json(ExpectObject(schedules[i], path), path, warnings);
        SimSchedule schedule;
        json.Int("number", schedule.number);
        json.Text("name", schedule.name);
        design.schedules.push_back(schedule);
    }
    root.Int("currentSchedule", design.currentSchedule);
    ReadStatus(root, design);
    root.IntList("mru", design.mruObjectIds);
    const QJsonObject placeholders = root.Object("placeholders");
    for (auto it = placeholders.begin(); it != placeholders.end(); ++it) {
        design.placeholders[JsonReader::WireText(it.key())] =
            JsonReader::WireText(it.value().toString());
    }
    ReadFiles(root, baseFolder, design);
    const QJsonArray iconSets = root.Array("themeIcons");
    for (qsizetype i = 0; i < iconSets.size(); ++i) {
        const std::string path = Indexed(root.Path("themeIcons"), i);
        JsonReader json(ExpectObject(iconSets[i], path), path, warnings);
        SimThemeIconSet set;
        json.Text("name", set.name);
        json.TextList("files", set.fileNames);
        design.themeIconSets.push_back(set);
    }
    const QJsonArray objects = root.Array("objects");
    for (qsizetype i = 0; i < objects.size(); ++i) {
        design.objects.push_back(ReadObject(objects[i], Indexed("design.objects", i), warnings));
    }
    const QJsonArray displays = root.Array("displays");
    for (qsizetype i = 0; i < displays.size(); ++i) {
        design.displays.push_back(
            ReadDisplay(displays[i], Indexed("design.displays", i), warnings));
        ResolveFileUrl(design.displays.back().htmlUrl, baseFolder);
    }
}

}  // namespace

namespace {

// The id of the home page a client builds when the design names none.
constexpr int kConstructedHomeDisplayId = 100;

// References that name nothing are legal (the clients skip them) but are
// almost always mistakes in a hand-written design.
void WarnAboutDanglingReferences(const SimDesign& design, const std::set<int>& objectIds,
                                 const std::set<int>& displayIds, DesignLoadResult& result) {
    auto known = [&](int id) { return objectIds.count(id) != 0 || displayIds.count(id) != 0; };
    auto warn = [&result](const std::string& where, const std::string& what, int id) {
        result.warnings.push_back(where + ": " + what + " " + std::to_string(id) +
                                  " names nothing in the design");
    };
    for (const SimDisplay& display : design.displays) {
        const std::string where = "display \"" + display.name + "\"";
        for (int id : display.objectIds) {
            if (!known(id)) {
                warn(where, "object", id);
            }
        }
        if (display.enterExitProgramId != 0 && objectIds.count(display.enterExitProgramId) == 0) {
            warn(where, "enterExitProgramId", display.enterExitProgramId);
        }
        if (display.explicitPositions != 0 &&
            display.iconPositions.size() != display.objectIds.size()) {
            result.warnings.push_back(where + ": iconPositions and objectIds differ in length");
        }
        for (const SimTile& tile : display.tiles) {
            const std::string tileWhere = where + " tile \"" + tile.tileName + "\"";
            const std::pair<int, int> displayRefs[] = {
                {kTileIcons, tile.sourceDisplayId},
                {kTileHtml, tile.useOwnUrl ? 0 : tile.htmlDisplayId},
                {kTilePower, tile.powerDisplayId}};
            for (const auto& [type, id] : displayRefs) {
                if (tile.tileType == type && id != 0 && displayIds.count(id) == 0) {
                    warn(tileWhere, "display", id);
                }
            }
            if ((tile.tapAction == 1 || tile.tapAction == 3) &&
                displayIds.count(tile.tapDisplayId) == 0) {
                warn(tileWhere, "tapDisplayId", tile.tapDisplayId);
            }
            if ((tile.tapAction == 2 || tile.tapAction == 3) &&
                objectIds.count(tile.tapProgramId) == 0) {
                warn(tileWhere, "tapProgramId", tile.tapProgramId);
            }
            if ((tile.holdAction == 1 || tile.holdAction == 3) &&
                displayIds.count(tile.holdDisplayId) == 0) {
                warn(tileWhere, "holdDisplayId", tile.holdDisplayId);
            }
            if ((tile.holdAction == 2 || tile.holdAction == 3) &&
                objectIds.count(tile.holdProgramId) == 0) {
                warn(tileWhere, "holdProgramId", tile.holdProgramId);
            }
        }
    }
    if (known(kConstructedHomeDisplayId)) {
        result.warnings.push_back("id 100 is also the id of the home page a client constructs");
    }
}

}  // namespace

void ValidateDesign(const SimDesign& design, DesignLoadResult& result) {
    auto refuse = [&result](const std::string& why) {
        if (result.ok) {
            result.ok = false;
            result.error = why;
        }
    };
    std::set<int> objectIds;
    std::set<std::string> fullNames;
    for (const SimObject& object : design.objects) {
        if (!objectIds.insert(object.objectId).second) {
            refuse("object id " + std::to_string(object.objectId) + " is used twice");
        }
        if (!fullNames.insert(object.FullName()).second) {
            result.warnings.push_back("two objects are named \"" + object.FullName() +
                                      "\"; commands reach the first");
        }
        if (EncodeObjectEntry(object, 99).size() + 64 > kMaxFieldListLength) {
            refuse("object \"" + object.FullName() + "\" is too large for one reply");
        }
    }
    std::set<int> displayIds;
    std::set<std::string> displayNames;
    for (const SimDisplay& display : design.displays) {
        if (!displayIds.insert(display.displayId).second || objectIds.count(display.displayId)) {
            refuse("display id " + std::to_string(display.displayId) +
                   " is used twice (objects and displays share ids)");
        }
        if (!displayNames.insert(display.name).second) {
            refuse("display name \"" + display.name + "\" is used twice");
        }
        if (EncodeDisplayEntry(display).size() + 64 > kMaxFieldListLength) {
            refuse("display \"" + display.name + "\" is too large for one reply");
        }
        std::size_t originalLength = 64;
        for (const SimTile& tile : display.tiles) {
            originalLength += 4 + EncodeTileOriginal(tile).size();
            if (EncodeTileExtended(tile).size() + 64 > kMaxFieldListLength) {
                refuse("a tile of display \"" + display.name + "\" is too large for one reply");
            }
        }
        if (originalLength > kMaxFieldListLength) {
            result.warnings.push_back("display \"" + display.name +
                                      "\" has more tiles than servers before 18.11 can send");
        }
        if (display.backgroundMode == 1 && design.FindFile(display.backgroundImage) == nullptr) {
            result.warnings.push_back("display \"" + display.name +
                                      "\": background picture is not among the files");
        }
    }
    WarnAboutDanglingReferences(design, objectIds, displayIds, result);
    if (!design.schedules.empty() && design.FindSchedule(design.currentSchedule) == nullptr) {
        result.warnings.push_back("currentSchedule " + std::to_string(design.currentSchedule) +
                                  " is the number of no schedule");
    }
    for (const SimThemeIconSet& set : design.themeIconSets) {
        for (const std::string& fileName : set.fileNames) {
            if (design.FindFile(set.name + "/" + fileName) == nullptr) {
                refuse("theme icon " + set.name + "/" + fileName + " is not among the files");
            }
        }
    }
}

DesignLoadResult LoadDesignJson(const QByteArray& json, const QString& baseFolder,
                                SimDesign& design) {
    DesignLoadResult result;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        result.error = "not valid JSON at byte " + std::to_string(parseError.offset) + ": " +
                       parseError.errorString().toStdString();
        return result;
    }
    if (!document.isObject()) {
        result.error = "the design must be a JSON object";
        return result;
    }
    SimDesign loaded;
    try {
        ReadDesign(document.object(), baseFolder, loaded, result.warnings);
    } catch (const DesignError& error) {
        result.error = error.what();
        return result;
    }
    result.ok = true;
    ValidateDesign(loaded, result);
    if (result.ok) {
        design = std::move(loaded);
    }
    return result;
}

DesignLoadResult LoadDesignFile(const QString& path, SimDesign& design) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        DesignLoadResult result;
        result.error =
            "cannot read " + path.toStdString() + ": " + file.errorString().toStdString();
        return result;
    }
    return LoadDesignJson(file.readAll(), QFileInfo(path).absolutePath(), design);
}

}  // namespace zol
