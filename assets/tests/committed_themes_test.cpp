// The three icon themes as committed: their theme.txt, and icons with on,
// off and dim pictures of the theme's standard size.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "assets/asset_paths.h"
#include "assets/tests/picture_checks.h"

namespace zol {
namespace {

namespace fs = std::filesystem;
using testing::CornersAreClear;
using testing::LoadPng;
using testing::UsesAlpha;

const std::map<std::string, int> kThemes = {
    {"Theme_36_36", 36}, {"Theme_54_54", 54}, {"Theme_110_110", 110}};

// What a house holds; every theme draws each of them.
const char* const kHouseIcons[] = {
    "Lamp",    "Light",  "Dimmer",     "Fan",      "Outlet",  "Switch",   "Keypad", "Thermostat",
    "Program", "Group",  "Controller", "Door",     "Garage",  "Lock",     "Shade",  "Window",
    "Sensor",  "Motion", "Leak",       "Camera",   "Display", "Home",     "Scene",  "Schedule",
    "Speaker", "Tv",     "Sprinkler",  "Security", "Energy",  "Appliance"};

const char* const kStates[] = {"on", "off", "dim"};

// The client's default "ColorIconTransparent" (0x00EF00 as 0x00BBGGRR):
// image lists treat this colour as a hole.
const QRgb kTransparentKey = qRgb(0x00, 0xEF, 0x00);

fs::path ThemeFolder(const std::string& theme) {
    return ThemesDir() / theme;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The icons of a theme as the client finds them: every "<Name>_off.png"
// names an icon, whose on and dim pictures are "<name>_on.png" and
// "<name>_dim.png" under the lower-cased name. Maps the icon name to the
// files found for each state.
struct ThemeIcons {
    std::map<std::string, std::map<std::string, fs::path>> icons;
    std::vector<std::string> strays;  // files that belong to no icon
};

ThemeIcons FindIcons(const std::string& theme) {
    ThemeIcons result;
    std::set<std::string> files;
    for (const auto& item : fs::directory_iterator(ThemeFolder(theme))) {
        if (item.path().extension() == ".png") {
            files.insert(item.path().filename().string());
        }
    }
    std::set<std::string> used;
    for (const std::string& file : files) {
        if (!file.ends_with("_off.png")) {
            continue;
        }
        const std::string name = file.substr(0, file.size() - 8);
        result.icons[name]["off"] = ThemeFolder(theme) / file;
        used.insert(file);
        for (const char* state : {"on", "dim"}) {
            const std::string companion = Lower(name) + "_" + state + ".png";
            if (files.contains(companion)) {
                result.icons[name][state] = ThemeFolder(theme) / companion;
                used.insert(companion);
            }
        }
    }
    for (const std::string& file : files) {
        if (!used.contains(file)) {
            result.strays.push_back(file);
        }
    }
    return result;
}

TEST(CommittedThemes, ThemeFileGivesSquareIconsCellsAndFonts) {
    for (const auto& [theme, size] : kThemes) {
        SCOPED_TRACE(theme);
        const fs::path file = ThemeFolder(theme) / "theme.txt";
        ASSERT_TRUE(fs::is_regular_file(file));
        QSettings settings(QString::fromStdString(file.string()), QSettings::IniFormat);
        const auto number = [&settings](const char* key) {
            return settings.value(QString::fromLatin1(key), -1).toInt();
        };
        EXPECT_EQ(number("Metrics/cxStandard"), size);
        EXPECT_EQ(number("Metrics/cyStandard"), size);
        // A cell holds the icon and, below it, the state text and the name.
        EXPECT_GT(number("Metrics/cxCell"), size);
        EXPECT_GE(number("Metrics/cyCell"), size + 30);
        const int type = number("Feature/type");
        EXPECT_TRUE(type == 2 || type == 3 || type == 4) << "state-text option " << type;
        EXPECT_FALSE(settings.value(QStringLiteral("Feature/Font")).toString().isEmpty());
        const int smallest = number("Feature/FontPointMin");
        const int largest = number("Feature/FontPointMax");
        EXPECT_GT(smallest, 0);
        EXPECT_GE(largest, smallest);
        EXPECT_LE(largest - smallest + 1, 8) << "the client keeps at most 8 fonts";
        EXPECT_GE(number("Feature/TextStartX"), 0);
        EXPECT_LT(number("Feature/TextStartX"), size / 2);
    }
}

TEST(CommittedThemes, EveryIconHasOnOffAndDimPicturesWhereTheClientLooks) {
    for (const auto& [theme, size] : kThemes) {
        SCOPED_TRACE(theme);
        const ThemeIcons found = FindIcons(theme);
        EXPECT_TRUE(found.strays.empty()) << "not part of any icon: " << found.strays.front();
        EXPECT_FALSE(found.icons.empty());
        for (const auto& [name, states] : found.icons) {
            EXPECT_EQ(states.size(), 3u) << name << " lacks its on or dim picture";
        }
    }
}

TEST(CommittedThemes, ThemesHoldTheSameIconsAndEverythingAHouseNeeds) {
    const auto reference = FindIcons("Theme_110_110").icons;
    for (const auto& [theme, size] : kThemes) {
        const auto icons = FindIcons(theme).icons;
        EXPECT_EQ(icons.size(), reference.size()) << theme;
        for (const auto& [name, states] : reference) {
            EXPECT_TRUE(icons.contains(name)) << theme << " lacks " << name;
        }
        for (const char* name : kHouseIcons) {
            EXPECT_TRUE(icons.contains(name)) << theme << " lacks " << name;
        }
    }
}

// Every icon name that a design names, at any depth of its JSON text.
void CollectIconNames(const QJsonValue& value, std::set<std::string>& names) {
    if (value.isArray()) {
        for (const QJsonValue& item : value.toArray()) {
            CollectIconNames(item, names);
        }
    } else if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            if ((it.key() == QStringLiteral("iconName") ||
                 it.key() == QStringLiteral("ownIconName")) &&
                !it.value().toString().isEmpty()) {
                names.insert(it.value().toString().toStdString());
            }
            CollectIconNames(it.value(), names);
        }
    }
}

TEST(CommittedThemes, EveryIconOfTheDemoHouseIsThere) {
    // The simulator's demo house is what people see first; icons that the
    // demo serves itself through the icon sync are left to it.
    const fs::path demo =
        fs::path(ZOL_ASSETS_SOURCE_DIR) / ".." / "simulator" / "designs" / "demo.json";
    QFile file(QString::fromStdString(demo.string()));
    if (!file.open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "no demo house at " << demo.string();
    }
    const QJsonObject design = QJsonDocument::fromJson(file.readAll()).object();
    ASSERT_FALSE(design.isEmpty()) << "demo house does not parse";
    std::set<std::string> served;
    for (const QJsonValue& set : design.value(QStringLiteral("themeIcons")).toArray()) {
        for (const QJsonValue& name : set.toObject().value(QStringLiteral("files")).toArray()) {
            const std::string fileName = name.toString().toStdString();
            if (fileName.ends_with("_off.png")) {
                served.insert(fileName.substr(0, fileName.size() - 8));
            }
        }
    }
    std::set<std::string> names;
    CollectIconNames(design, names);
    EXPECT_FALSE(names.empty());
    for (const auto& [theme, size] : kThemes) {
        const auto icons = FindIcons(theme).icons;
        for (const std::string& name : names) {
            EXPECT_TRUE(icons.contains(name) || served.contains(name))
                << theme << " lacks " << name;
        }
    }
}

TEST(CommittedThemes, UnknownIconNamesFallBackToTheGenericIcon) {
    // An unknown icon name gets the first icon of the set in case-blind
    // name order.
    for (const auto& [theme, size] : kThemes) {
        std::vector<std::string> names;
        for (const auto& [name, states] : FindIcons(theme).icons) {
            names.push_back(Lower(name));
        }
        ASSERT_FALSE(names.empty()) << theme;
        EXPECT_EQ(*std::min_element(names.begin(), names.end()), "appliance") << theme;
    }
}

TEST(CommittedThemes, EveryPictureHasTheStandardSizeAndBlends) {
    for (const auto& [theme, size] : kThemes) {
        for (const auto& [name, states] : FindIcons(theme).icons) {
            for (const auto& [state, file] : states) {
                SCOPED_TRACE(file.string());
                const QImage image = LoadPng(file);
                ASSERT_FALSE(image.isNull());
                EXPECT_EQ(image.size(), QSize(size, size));
                EXPECT_TRUE(UsesAlpha(image));
                EXPECT_TRUE(CornersAreClear(image));
            }
        }
    }
}

TEST(CommittedThemes, NoPixelUsesTheImageListTransparentColour) {
    for (const auto& [theme, size] : kThemes) {
        for (const auto& [name, states] : FindIcons(theme).icons) {
            for (const auto& [state, file] : states) {
                const QImage image = LoadPng(file).convertToFormat(QImage::Format_ARGB32);
                int keyed = 0;
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = 0; x < image.width(); ++x) {
                        const QRgb pixel = image.pixel(x, y);
                        keyed += qAlpha(pixel) == 255 &&
                                 qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)) == kTransparentKey;
                    }
                }
                EXPECT_EQ(keyed, 0) << file.string();
            }
        }
    }
}

// Mean colour distance between two same-sized pictures.
double Difference(const QImage& a, const QImage& b) {
    double total = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                     std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    }
    return total / (a.width() * a.height());
}

TEST(CommittedThemes, TheThreeStatesOfAnIconLookDifferent) {
    // Catches a state picture copied over another: someone must be able to
    // tell on, dimmed and off apart at a glance.
    for (const auto& [theme, size] : kThemes) {
        for (const auto& [name, states] : FindIcons(theme).icons) {
            std::map<std::string, QImage> pictures;
            for (const char* state : kStates) {
                ASSERT_TRUE(states.contains(state)) << theme << "/" << name << " " << state;
                pictures[state] = LoadPng(states.at(state));
                ASSERT_FALSE(pictures[state].isNull()) << states.at(state).string();
            }
            EXPECT_GT(Difference(pictures["on"], pictures["off"]), 40.0) << theme << "/" << name;
            EXPECT_GT(Difference(pictures["on"], pictures["dim"]), 40.0) << theme << "/" << name;
            EXPECT_GT(Difference(pictures["dim"], pictures["off"]), 5.0) << theme << "/" << name;
        }
    }
}

}  // namespace
}  // namespace zol
