#include "client/popups/popup_images.h"

#include <string>
#include <system_error>

#if ZOL_HAVE_ASSET_PATHS
#include "assets/asset_paths.h"
#endif

namespace zol {

std::filesystem::path PopupImageFile(std::string_view fileName) {
#if ZOL_HAVE_ASSET_PATHS
    return ImageFile(std::string(fileName));
#else
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return exe.parent_path() / ".." / "share" / "zol" / "images" / std::string(fileName);
#endif
}

}  // namespace zol
