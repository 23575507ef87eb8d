// The client's interface pictures ("images" folder of the installation),
// loaded by file name. A missing or unreadable file gives a null pixmap, and
// callers show a blank in its place.
#pragma once

#include <QPixmap>

namespace zol {

QPixmap LoadInterfacePicture(const char* fileName);

}  // namespace zol
