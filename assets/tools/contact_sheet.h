// One picture that shows the whole artwork set for review: every interface
// picture of images/ and every icon of every theme in all its states, on the
// client's default background colour, each with its name; then the status
// bar and pop-up pictures on the colours they are drawn on in the client.
#pragma once

#include <QImage>

#include <filesystem>

namespace zol {

QImage BuildContactSheet(const std::filesystem::path& assetsRoot);

}  // namespace zol
