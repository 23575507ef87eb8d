#include "client/model/theme_picture.h"

#include <QColor>
#include <QImageReader>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <optional>

#include "guibase/image_file_reader.h"

namespace zol {

QImage FitThemePicture(const QImage& image, int cx, int cy, std::uint32_t backgroundColor) {
    // Qt premultiplies with exact rounding, (c * a + 127) / 255, and leaves
    // opaque pixels alone.
    QImage premultiplied = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (premultiplied.width() == cx && premultiplied.height() == cy)
        return premultiplied;
    QImage square(cx, cy, QImage::Format_ARGB32_Premultiplied);
    square.fill(QColor(static_cast<int>(backgroundColor & 0xFF),
                       static_cast<int>((backgroundColor >> 8) & 0xFF),
                       static_cast<int>((backgroundColor >> 16) & 0xFF)));
    const int x = std::max(0, (cx - premultiplied.width()) / 2);
    const int y = std::max(0, (cy - premultiplied.height()) / 2);
    QPainter painter(&square);
    // A copy, not a blend: the picture's own pixels, alpha included.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(x, y, premultiplied, 0, 0, std::min(cx, premultiplied.width()),
                      std::min(cy, premultiplied.height()));
    painter.end();
    return square;
}

namespace {

void PrepareReader(QImageReader& reader) {
    NameFormatFromContent(reader);
    // Formats that cannot tell their size before decoding still stop at
    // the allocation limit.
    reader.setAllocationLimit(kMaxThemePictureMegabytes);
}

}  // namespace

bool LoadThemePicture(const std::filesystem::path& path, int cx, int cy,
                      std::uint32_t backgroundColor, ThemePicture& picture) {
    ThemePictureSource source{path, cx, cy, backgroundColor};
    // Most theme pictures are PNG files, whose head is read directly.
    QSize size = PngHeadSize(path);
    std::optional<QImageReader> reader;
    if (!size.isValid()) {
        reader.emplace(QString::fromStdString(path.string()));
        PrepareReader(*reader);
        size = reader->size();
    }
    if (size.isValid()) {
        if (size.width() > kMaxThemePictureSide || size.height() > kMaxThemePictureSide ||
            size.isEmpty())
            return false;
        picture.originalWidth = size.width();
        picture.originalHeight = size.height();
        picture.picture.reset();
        picture.source = std::make_shared<const ThemePictureSource>(std::move(source));
        picture.path = path.string();
        return true;
    }
    QImage image;
    if (!reader->read(&image) || image.isNull())
        return false;
    picture.originalWidth = image.width();
    picture.originalHeight = image.height();
    picture.picture =
        std::make_shared<const QImage>(FitThemePicture(image, cx, cy, backgroundColor));
    picture.source.reset();
    picture.path = path.string();
    return true;
}

const std::shared_ptr<const QImage>& ThemePicture::Image() const {
    if (picture == nullptr && source != nullptr) {
        QImageReader reader(QString::fromStdString(source->path.string()));
        PrepareReader(reader);
        // A file changed or damaged since its head was read leaves a null
        // image: the icon keeps its place and shows the background.
        QImage image;
        if (!reader.read(&image))
            image = QImage();
        picture = std::make_shared<const QImage>(
            FitThemePicture(image, source->cx, source->cy, source->backgroundColor));
    }
    return picture;
}

}  // namespace zol
