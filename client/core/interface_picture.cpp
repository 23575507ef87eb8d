#include "client/core/interface_picture.h"

#include <QString>

#include <filesystem>

#include "guibase/image_file_reader.h"

#if ZOL_HAVE_ASSET_PATHS
#include "assets/asset_paths.h"
#endif

namespace zol {

QPixmap LoadInterfacePicture(const char* fileName) {
#if ZOL_HAVE_ASSET_PATHS
    const std::filesystem::path file = ImageFile(fileName);
#else
    std::error_code ec;
    const std::filesystem::path file =
        std::filesystem::read_symlink("/proc/self/exe", ec).parent_path() / ".." / "share" / "zol" /
        "images" / fileName;
#endif
    return QPixmap::fromImage(ReadImageFile(QString::fromStdString(file.string())));
}

}  // namespace zol
