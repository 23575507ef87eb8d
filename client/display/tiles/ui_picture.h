// The interface pictures the tiles draw ("Meter.png", "Alert.png", ...),
// from the images folder of the installation.
#pragma once

#include <QImage>

#include <string>

namespace zol {

// The picture, or a null image when it is missing or does not decode (the
// tiles then draw nothing in its place).
QImage LoadUiPicture(const std::string& fileName);

}  // namespace zol
