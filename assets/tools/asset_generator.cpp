#include "assets/tools/asset_generator.h"

#include <QFile>
#include <QImage>
#include <QSettings>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "assets/tools/artwork_manifest.h"
#include "assets/tools/svg_artwork.h"
#include "assets/tools/theme_icon_renderer.h"

namespace zol {

namespace {

namespace fs = std::filesystem;

QString ToQString(const fs::path& path) {
    return QString::fromStdString(path.string());
}

bool ReadFile(const fs::path& path, QByteArray& content) {
    QFile file(ToQString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    content = file.readAll();
    return true;
}

// Stored unpremultiplied, as every PNG reader expects.
bool SavePng(const QImage& image, const fs::path& path) {
    return image.convertToFormat(QImage::Format_ARGB32).save(ToQString(path), "PNG");
}

// Icon names are what designs write ("Lamp", "Tv"): letters and digits.
bool IsIconName(const std::string& name) {
    for (const char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return !name.empty();
}

// The off picture carries the icon's name as designs write it; the client
// looks for the on and dim pictures under the lower-cased name, so they are
// written that way and are found on case-sensitive disks too.
std::string IconFileName(const std::string& name, const std::string& state) {
    std::string stem = name;
    if (state != "off") {
        std::transform(stem.begin(), stem.end(), stem.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    }
    return stem + "_" + state + ".png";
}

// Deletes the PNG files of `folder` whose names are not in `kept`.
int RemoveStalePictures(const fs::path& folder, const std::set<std::string>& kept,
                        std::ostream& log) {
    int problems = 0;
    std::error_code error;
    for (const auto& item : fs::directory_iterator(folder, error)) {
        const fs::path& file = item.path();
        if (file.extension() == ".png" && !kept.contains(file.filename().string())) {
            if (fs::remove(file, error)) {
                log << "removed " << file.string() << " (no source makes it)\n";
            } else {
                log << "cannot remove " << file.string() << "\n";
                ++problems;
            }
        }
    }
    return problems;
}

template <typename Entry>
bool LoadManifest(const fs::path& path, ManifestResult<Entry> (*parse)(std::istream&),
                  std::vector<Entry>& entries, std::ostream& log) {
    std::ifstream input(path);
    if (!input) {
        log << "cannot read " << path.string() << "\n";
        return false;
    }
    ManifestResult<Entry> result = parse(input);
    for (const std::string& error : result.errors) {
        log << path.string() << ": " << error << "\n";
    }
    entries = std::move(result.entries);
    return result.errors.empty();
}

// The standard icon size of a theme folder, from its theme.txt; 0 when the
// file gives no square size.
int ThemeIconSize(const fs::path& themeFolder) {
    const fs::path themeFile = themeFolder / "theme.txt";
    if (!fs::is_regular_file(themeFile)) {
        return 0;
    }
    QSettings theme(ToQString(themeFile), QSettings::IniFormat);
    const int width = theme.value(QStringLiteral("Metrics/cxStandard")).toInt();
    const int height = theme.value(QStringLiteral("Metrics/cyStandard")).toInt();
    return width == height ? width : 0;
}

}  // namespace

int GenerateInterfacePictures(const fs::path& assetsDir, std::ostream& log) {
    const fs::path sourceDir = assetsDir / "src" / "images";
    const fs::path outputDir = assetsDir / "images";
    std::vector<ImageArtwork> artwork;
    int problems =
        LoadManifest(assetsDir / "src" / "images.txt", &ParseImageManifest, artwork, log) ? 0 : 1;
    fs::create_directories(outputDir);
    std::set<std::string> written;
    for (const ImageArtwork& entry : artwork) {
        QByteArray svg;
        const fs::path source = sourceDir / entry.source;
        if (!ReadFile(source, svg)) {
            log << "cannot read " << source.string() << "\n";
            ++problems;
            continue;
        }
        const QByteArray filled = WithLabel(WithColour(svg, QString::fromStdString(entry.colour)),
                                            QString::fromStdString(entry.label));
        const QImage picture = RenderSvg(filled, QSize(entry.width, entry.height));
        const std::string fileName = entry.name + ".png";
        if (picture.isNull() || !SavePng(picture, outputDir / fileName)) {
            log << "cannot render " << source.string() << " into " << fileName << "\n";
            ++problems;
            continue;
        }
        written.insert(fileName);
    }
    if (problems == 0) {
        problems += RemoveStalePictures(outputDir, written, log);
    }
    log << written.size() << " interface pictures in " << outputDir.string() << "\n";
    return problems;
}

int GenerateThemeIcons(const fs::path& assetsDir, std::ostream& log) {
    const fs::path sourceDir = assetsDir / "src" / "themes";
    std::vector<IconStateArtwork> states;
    int problems = LoadManifest(sourceDir / "states.txt", &ParseStateManifest, states, log) ? 0 : 1;
    std::vector<std::pair<std::string, QByteArray>> backgrounds;
    for (const IconStateArtwork& state : states) {
        QByteArray svg;
        if (!ReadFile(sourceDir / state.background, svg)) {
            log << "cannot read " << (sourceDir / state.background).string() << "\n";
            ++problems;
        }
        backgrounds.emplace_back(state.state, svg);
    }
    std::vector<std::pair<std::string, QByteArray>> glyphs;
    std::error_code error;
    for (const auto& item : fs::directory_iterator(sourceDir / "glyphs", error)) {
        QByteArray svg;
        if (item.path().extension() != ".svg") {
            continue;
        }
        const std::string name = item.path().stem().string();
        if (!IsIconName(name) || !ReadFile(item.path(), svg)) {
            log << "glyph skipped (unreadable, or not letters and digits): " << item.path().string()
                << "\n";
            ++problems;
            continue;
        }
        glyphs.emplace_back(name, svg);
    }
    std::sort(glyphs.begin(), glyphs.end());
    if (glyphs.empty()) {
        log << "no glyphs in " << (sourceDir / "glyphs").string() << "\n";
        ++problems;
    }
    if (problems != 0) {
        return problems;
    }
    for (const auto& item : fs::directory_iterator(assetsDir / "themes", error)) {
        const int size = ThemeIconSize(item.path());
        if (size <= 0) {
            log << "skipped " << item.path().string() << ": no square cxStandard/cyStandard\n";
            continue;
        }
        std::set<std::string> written;
        for (const auto& [name, glyph] : glyphs) {
            for (std::size_t i = 0; i < states.size(); ++i) {
                const std::string fileName = IconFileName(name, states[i].state);
                const QImage picture =
                    RenderThemeIcon(backgrounds[i].second, glyph, states[i], size);
                if (picture.isNull() || !SavePng(picture, item.path() / fileName)) {
                    log << "cannot render " << fileName << " for " << item.path().string() << "\n";
                    ++problems;
                    continue;
                }
                written.insert(fileName);
            }
        }
        problems += RemoveStalePictures(item.path(), written, log);
        log << written.size() << " icon pictures of " << size << " px in " << item.path().string()
            << "\n";
    }
    return problems;
}

}  // namespace zol
