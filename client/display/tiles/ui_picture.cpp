#include "client/display/tiles/ui_picture.h"

#include <QString>

#include <filesystem>

#if ZOL_HAVE_ASSET_PATHS
#include "assets/asset_paths.h"
#endif

namespace zol {

QImage LoadUiPicture(const std::string& fileName) {
#if ZOL_HAVE_ASSET_PATHS
    const std::filesystem::path path = ImageFile(fileName);
#else
    std::error_code ec;
    const std::filesystem::path path =
        std::filesystem::read_symlink("/proc/self/exe", ec).parent_path() / ".." / "share" / "zol" /
        "images" / fileName;
#endif
    QImage picture(QString::fromStdString(path.string()));
    return picture.isNull() ? QImage()
                            : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace zol
