// The three icon themes as committed: their theme.txt, and icons with on,
// off and dim pictures of the theme's standard size.
#include <gtest/gtest.h>

#include <QImage>
#include <QSettings>

#include <filesystem>
#include <map>
#include <set>
#include <string>

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
    "lamp",    "light",  "dimmer",     "fan",      "outlet",  "switch",   "keypad", "thermostat",
    "program", "group",  "controller", "door",     "garage",  "lock",     "shade",  "window",
    "sensor",  "motion", "leak",       "camera",   "display", "home",     "scene",  "schedule",
    "speaker", "tv",     "sprinkler",  "security", "energy",  "appliance"};

const char* const kStates[] = {"on", "off", "dim"};

// The client's default "ColorIconTransparent" (0x00EF00 as 0x00BBGGRR):
// image lists treat this colour as a hole.
const QRgb kTransparentKey = qRgb(0x00, 0xEF, 0x00);

fs::path ThemeFolder(const std::string& theme) {
    return ThemesDir() / theme;
}

// Icon name -> the states found for it, from "<name>_<state>.png" files.
std::map<std::string, std::set<std::string>> IconFiles(const std::string& theme) {
    std::map<std::string, std::set<std::string>> icons;
    for (const auto& item : fs::directory_iterator(ThemeFolder(theme))) {
        const std::string file = item.path().filename().string();
        if (item.path().extension() != ".png") {
            continue;
        }
        const std::string stem = item.path().stem().string();
        const std::size_t underscore = stem.rfind('_');
        const std::string state =
            underscore == std::string::npos ? "" : stem.substr(underscore + 1);
        icons[stem.substr(0, underscore)].insert(state);
    }
    return icons;
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

TEST(CommittedThemes, EveryIconHasOnOffAndDimPicturesUnderALowerCaseName) {
    // The client looks for the on and dim pictures under the lower-cased
    // name of the off picture.
    for (const auto& [theme, size] : kThemes) {
        SCOPED_TRACE(theme);
        for (const auto& [name, states] : IconFiles(theme)) {
            EXPECT_EQ(states, (std::set<std::string>{"on", "off", "dim"})) << name;
            for (const char c : name) {
                EXPECT_FALSE(c >= 'A' && c <= 'Z') << name;
            }
        }
    }
}

TEST(CommittedThemes, ThemesHoldTheSameIconsAndEverythingAHouseNeeds) {
    const auto reference = IconFiles("Theme_110_110");
    for (const auto& [theme, size] : kThemes) {
        const auto icons = IconFiles(theme);
        EXPECT_EQ(icons.size(), reference.size()) << theme;
        for (const auto& [name, states] : reference) {
            EXPECT_TRUE(icons.contains(name)) << theme << " lacks " << name;
        }
        for (const char* name : kHouseIcons) {
            EXPECT_TRUE(icons.contains(name)) << theme << " lacks " << name;
        }
    }
}

TEST(CommittedThemes, UnknownIconNamesFallBackToTheGenericIcon) {
    // An unknown icon name gets the alphabetically first icon of the set.
    for (const auto& [theme, size] : kThemes) {
        const auto icons = IconFiles(theme);
        ASSERT_FALSE(icons.empty()) << theme;
        EXPECT_EQ(icons.begin()->first, "appliance") << theme;
    }
}

TEST(CommittedThemes, EveryPictureHasTheStandardSizeAndBlends) {
    for (const auto& [theme, size] : kThemes) {
        for (const auto& [name, states] : IconFiles(theme)) {
            for (const std::string& state : states) {
                SCOPED_TRACE(theme + "/" + name + "_" + state);
                const QImage image = LoadPng(ThemeFolder(theme) / (name + "_" + state + ".png"));
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
        for (const auto& [name, states] : IconFiles(theme)) {
            for (const std::string& state : states) {
                const QImage image = LoadPng(ThemeFolder(theme) / (name + "_" + state + ".png"))
                                         .convertToFormat(QImage::Format_ARGB32);
                int keyed = 0;
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = 0; x < image.width(); ++x) {
                        const QRgb pixel = image.pixel(x, y);
                        keyed += qAlpha(pixel) == 255 &&
                                 (pixel & 0xFFFFFF) == (kTransparentKey & 0xFFFFFF);
                    }
                }
                EXPECT_EQ(keyed, 0) << theme << "/" << name << "_" << state;
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
        for (const auto& [name, states] : IconFiles(theme)) {
            std::map<std::string, QImage> pictures;
            for (const char* state : kStates) {
                pictures[state] = LoadPng(ThemeFolder(theme) / (name + "_" + state + ".png"));
                ASSERT_FALSE(pictures[state].isNull()) << theme << "/" << name << "_" << state;
            }
            EXPECT_GT(Difference(pictures["on"], pictures["off"]), 40.0) << theme << "/" << name;
            EXPECT_GT(Difference(pictures["on"], pictures["dim"]), 40.0) << theme << "/" << name;
            EXPECT_GT(Difference(pictures["dim"], pictures["off"]), 5.0) << theme << "/" << name;
        }
    }
}

}  // namespace
}  // namespace zol
