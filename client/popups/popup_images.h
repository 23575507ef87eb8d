// Where the pop-ups find their pictures ("\\images\\" of the installation).
#pragma once

#include <filesystem>
#include <string_view>

namespace zol {

std::filesystem::path PopupImageFile(std::string_view fileName);

}  // namespace zol
