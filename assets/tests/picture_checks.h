// Checks shared by the tests of the committed pictures.
#pragma once

#include <QImage>
#include <QString>

#include <filesystem>

namespace zol::testing {

inline QImage LoadPng(const std::filesystem::path& path) {
    return QImage(QString::fromStdString(path.string()), "PNG");
}

// The picture carries alpha and really uses it: some pixels are see-through
// (so the background shows around the shape) and some are solid.
inline bool UsesAlpha(const QImage& image) {
    if (!image.hasAlphaChannel()) {
        return false;
    }
    bool seeThrough = false;
    bool solid = false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const int alpha = qAlpha(argb.pixel(x, y));
            seeThrough = seeThrough || alpha == 0;
            solid = solid || alpha == 255;
        }
    }
    return seeThrough && solid;
}

inline bool CornersAreClear(const QImage& image) {
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    return qAlpha(image.pixel(0, 0)) == 0 && qAlpha(image.pixel(right, 0)) == 0 &&
           qAlpha(image.pixel(0, bottom)) == 0 && qAlpha(image.pixel(right, bottom)) == 0;
}

}  // namespace zol::testing
