#include "client/model/icon_set_loader.h"

#include <QFont>
#include <QString>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "client/model/profile_file.h"
#include "client/model/theme_icon_files.h"
#include "client/model/theme_picture.h"
#include "platform/ascii_text.h"

namespace zol {

namespace {

void ReadThemeFile(IconSet& set, const std::filesystem::path& folder) {
    const ProfileFile theme = ProfileFile::Load(folder / "theme.txt");
    set.cxStandard = std::clamp(theme.GetInt("Metrics", "cxStandard", 0), 1, kMaxThemeIconSide);
    set.cyStandard = std::clamp(theme.GetInt("Metrics", "cyStandard", 0), 1, kMaxThemeIconSide);
    set.cxCell = std::clamp(theme.GetInt("Metrics", "cxCell", 0), kMinThemeCell, kMaxThemeCell);
    set.cyCell = std::clamp(theme.GetInt("Metrics", "cyCell", 0), kMinThemeCell, kMaxThemeCell);
    set.featureType = theme.GetInt("Feature", "type", 0);
    set.fontFace = theme.GetString("Feature", "Font", "Calibri", kMaxThemeFontFaceLength);
    set.fontPointMin = theme.GetInt("Feature", "FontPointMin", 12);
    set.fontPointMax = theme.GetInt("Feature", "FontPointMax", 48);
    set.textStartX = theme.GetInt("Feature", "TextStartX", 0);
}

// MulDiv(points, dpi, 72): rounded to the nearest pixel.
int FontPixels(std::int64_t points, int dpi) {
    points = std::clamp<std::int64_t>(points, 1, kMaxThemeFontPoints);
    return static_cast<int>((points * std::max(dpi, 1) + 36) / 72);
}

// Character height by the screen's DPI, normal weight, anti-aliased, a
// variable-pitch sans-serif face when the named one is missing.
void MakeFonts(IconSet& set, int dpi) {
    set.fontCount = 0;
    if (set.featureType == 0 || set.fontPointMax < set.fontPointMin)
        return;
    const std::int64_t span = std::int64_t{set.fontPointMax} - set.fontPointMin + 1;
    set.fontCount = static_cast<std::int32_t>(std::min<std::int64_t>(span, kMaxIconSetFonts));
    // The face is a Windows-1252 text; Latin-1 reads every letter a face name uses.
    const QString face =
        QString::fromLatin1(set.fontFace.data(), static_cast<qsizetype>(set.fontFace.size()));
    for (std::int32_t i = 0; i < set.fontCount; ++i) {
        auto font = std::make_shared<QFont>(face);
        font->setPixelSize(FontPixels(std::int64_t{set.fontPointMin} + i, dpi));
        font->setWeight(QFont::Normal);
        font->setStyleHint(QFont::SansSerif, QFont::PreferAntialias);
        set.fonts[static_cast<std::size_t>(i)] = std::move(font);
    }
}

// The icon of `files`, or false when one of its pictures does not load.
bool LoadIcon(const IconSet& set, const IconFiles& files, std::uint32_t backgroundColor,
              ThemeIcon& icon) {
    const std::filesystem::path folder(set.folder);
    icon.name = files.name;
    icon.cxStandard = set.cxStandard;
    icon.cyStandard = set.cyStandard;
    auto load = [&](const std::string& file, ThemePicture& picture) {
        return file.empty() || LoadThemePicture(folder / file, set.cxStandard, set.cyStandard,
                                                backgroundColor, picture);
    };
    return load(files.offFile, icon.off) && load(files.onFile, icon.on) &&
           load(files.dimFile, icon.dim);
}

// Runs work(0) to work(count - 1) on this thread and a few helpers: the
// pictures of a set decode independently of each other.
void DecodeInParallel(std::size_t count, const std::function<void(std::size_t)>& work) {
    constexpr unsigned kMaxHelpers = 3;
    std::atomic<std::size_t> next{0};
    auto drain = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < count;)
            work(i);
    };
    const unsigned helpers =
        std::min<unsigned>(kMaxHelpers, std::max(1u, std::thread::hardware_concurrency()) - 1);
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < helpers && i + 1 < count; ++i)
        threads.emplace_back(drain);
    drain();
    for (std::thread& thread : threads)
        thread.join();
}

// The numbers the image list gave the pictures: icon by icon, off, on, dim.
void NumberPictures(IconSet& set) {
    std::int32_t next = 0;
    for (ThemeIcon& icon : set.icons) {
        for (ThemePicture* picture : {&icon.off, &icon.on, &icon.dim}) {
            if (picture->Present())
                picture->imageIndex = next++;
        }
    }
}

}  // namespace

int LoadIconSet(IconSet& set, const std::filesystem::path& folder, const IconSetOptions& options) {
    LoadIconSetMetrics(set, folder, options);
    LoadIconSetPictures(set, options);
    return 0;
}

void LoadIconSetMetrics(IconSet& set, const std::filesystem::path& folder,
                        const IconSetOptions& options) {
    set.icons.clear();
    set.fonts = {};
    ReadThemeFile(set, folder);
    MakeFonts(set, options.dpi);
    set.folder = folder.string();
}

void LoadIconSetPictures(IconSet& set, const IconSetOptions& options) {
    const std::filesystem::path folder(set.folder);
    const std::int64_t pictureBytes = std::int64_t{set.cxStandard} * set.cyStandard * 4;
    auto picturesOf = [](const IconFiles& files) {
        return 1 + !files.onFile.empty() + !files.dimFile.empty();
    };
    const std::vector<IconFiles> candidates = MatchIconFiles(ListFolderFiles(folder));
    std::int64_t budget = kMaxIconSetPictureBytes;
    std::size_t next = 0;
    bool full = false;
    // In rounds of the icons that fit should all of them load: the result
    // is that of loading one by one, and nothing past the limits is decoded.
    while (!full && next < candidates.size()) {
        std::size_t end = next;
        std::int64_t roundBudget = budget;
        std::size_t roundCount = set.icons.size();
        while (end < candidates.size() && roundCount < kMaxThemeIcons &&
               roundBudget >= picturesOf(candidates[end]) * pictureBytes) {
            roundBudget -= picturesOf(candidates[end]) * pictureBytes;
            ++roundCount;
            ++end;
        }
        if (end == next)
            break;
        std::vector<ThemeIcon> icons(end - next);
        std::vector<char> loaded(end - next, 0);
        DecodeInParallel(icons.size(), [&](std::size_t i) {
            loaded[i] = LoadIcon(set, candidates[next + i], options.backgroundColor, icons[i]);
        });
        for (std::size_t i = 0; i < icons.size(); ++i) {
            const int pictures = picturesOf(candidates[next + i]);
            if (set.icons.size() == kMaxThemeIcons || budget < pictures * pictureBytes) {
                full = true;
                break;
            }
            if (loaded[i] == 0)
                continue;
            budget -= pictures * pictureBytes;
            set.icons.push_back(std::move(icons[i]));
        }
        next = end;
    }
    // Stable: of icons with equal names the first made stays first, as
    // inserting each before the first greater name keeps them.
    std::stable_sort(
        set.icons.begin(), set.icons.end(),
        [](const ThemeIcon& a, const ThemeIcon& b) { return LessNoCase(a.name, b.name); });
    NumberPictures(set);
}

int ReloadIconSet(IconSet& set, const IconSetOptions& options) {
    const std::filesystem::path folder(set.folder);
    return LoadIconSet(set, folder, options);
}

}  // namespace zol
