#include "client/core/interface_picture.h"

#include "client/core/default_locations.h"
#include "guibase/image_file_reader.h"

namespace zol {

QPixmap LoadInterfacePicture(const char* fileName) {
    return QPixmap::fromImage(ReadImageFile(InterfacePicturePath(fileName)));
}

}  // namespace zol
