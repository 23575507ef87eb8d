// One picture of a theme icon: read from its file, premultiplied once, and
// put on a square of the set's standard size so every picture of a set has
// the same size.
#pragma once

#include <QImage>

#include <cstdint>
#include <filesystem>

#include "client/model/icon_set.h"

namespace zol {

// Larger pictures are refused before they are decoded: no icon needs them,
// and a hostile file could otherwise claim gigabytes.
inline constexpr int kMaxThemePictureSide = 4096;
inline constexpr int kMaxThemePictureMegabytes = 64;

// `image` (any format) as a premultiplied ARGB32 picture of cx x cy: the
// original unscaled on a square filled with `backgroundColor` (0x00BBGGRR,
// opaque), centred in a dimension where it is smaller and cut at the right
// or bottom where it is larger. A picture already of that size is only
// converted.
QImage FitThemePicture(const QImage& image, int cx, int cy, std::uint32_t backgroundColor);

// What ThemePicture::Image() needs to decode a picture later.
struct ThemePictureSource {
    std::filesystem::path path;
    int cx = 0;
    int cy = 0;
    std::uint32_t backgroundColor = 0;
};

// Prepares `picture` from `path` (PNG, BMP, JPEG, GIF or TIFF): false, with
// `picture` unchanged, when the file is not a picture of a size allowed.
// A file whose head tells its size is decoded on first use; one whose head
// does not is decoded now.
bool LoadThemePicture(const std::filesystem::path& path, int cx, int cy,
                      std::uint32_t backgroundColor, ThemePicture& picture);

}  // namespace zol
