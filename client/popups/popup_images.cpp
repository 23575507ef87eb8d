#include "client/popups/popup_images.h"

#include <string>

#include "client/core/default_locations.h"

namespace zol {

std::filesystem::path PopupImageFile(std::string_view fileName) {
    return InterfacePicturePath(std::string(fileName));
}

}  // namespace zol
