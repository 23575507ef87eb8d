// Pictures read from files without waking every image plugin. A reader left
// to guess a file's format asks each installed plugin about it, which loads
// all of them and their libraries (about ten, with libtiff, libwebp, Qt Svg
// and more). Here the format is named from the file's first bytes: PNG and
// BMP need no plugin at all, and the other known formats only their own.
// Files whose first bytes name no known format are left to the guess.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <filesystem>

class QImageReader;

namespace zol {

// Names the reader's format from its device's first bytes, opening a file
// device that is not yet open. Call before anything is read.
void NameFormatFromContent(QImageReader& reader);

// The picture in the file; null when it is missing or not a picture.
QImage ReadImageFile(const QString& path);
QImage ReadImageFile(const std::filesystem::path& path);

// The size a PNG file's header (its first chunk) gives, read without a
// reader, for callers that look at the heads of hundreds of pictures; an
// invalid size when the file does not begin as a PNG does.
QSize PngHeadSize(const std::filesystem::path& path);

}  // namespace zol
