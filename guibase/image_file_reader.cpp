#include "guibase/image_file_reader.h"

#include <QByteArray>
#include <QIODevice>
#include <QImageReader>

#include <array>
#include <cstdint>
#include <fstream>
#include <string_view>

namespace zol {
namespace {

struct FormatSignature {
    std::string_view head;
    std::size_t offset;
    const char* format;
};

using namespace std::string_view_literals;

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n"sv;

// WebP is "RIFF", a length, then "WEBP".
constexpr std::array kSignatures = {
    FormatSignature{kPngSignature, 0, "png"},     FormatSignature{"BM"sv, 0, "bmp"},
    FormatSignature{"\xff\xd8\xff"sv, 0, "jpeg"}, FormatSignature{"GIF8"sv, 0, "gif"},
    FormatSignature{"WEBP"sv, 8, "webp"},         FormatSignature{"II*\0"sv, 0, "tiff"},
    FormatSignature{"MM\0*"sv, 0, "tiff"},        FormatSignature{"\0\0\1\0"sv, 0, "ico"},
};

const char* FormatOf(const QByteArray& head) {
    const std::string_view bytes(head.constData(), static_cast<std::size_t>(head.size()));
    for (const FormatSignature& signature : kSignatures) {
        if (bytes.size() >= signature.offset + signature.head.size() &&
            bytes.substr(signature.offset, signature.head.size()) == signature.head)
            return signature.format;
    }
    return nullptr;
}

}  // namespace

void NameFormatFromContent(QImageReader& reader) {
    QIODevice* device = reader.device();
    if (device == nullptr || (!device->isOpen() && !device->open(QIODevice::ReadOnly)))
        return;  // the reader reports the file as it would have
    if (const char* format = FormatOf(device->peek(12))) {
        reader.setFormat(format);
        reader.setAutoDetectImageFormat(false);
    }
}

QImage ReadImageFile(const QString& path) {
    QImageReader reader(path);
    NameFormatFromContent(reader);
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

QImage ReadImageFile(const std::filesystem::path& path) {
    return ReadImageFile(QString::fromStdString(path.string()));
}

QSize PngHeadSize(const std::filesystem::path& path) {
    // Signature, then the IHDR chunk: length, type, width and height, both
    // big-endian and from 1 to 2^31 - 1.
    constexpr std::size_t kHead = 24;
    char head[kHead] = {};
    std::ifstream file(path, std::ios::binary);
    if (!file.read(head, kHead))
        return {};
    const std::string_view bytes(head, kHead);
    if (bytes.substr(0, kPngSignature.size()) != kPngSignature || bytes.substr(12, 4) != "IHDR")
        return {};
    auto number = [&](std::size_t at) {
        std::uint32_t value = 0;
        for (std::size_t i = at; i < at + 4; ++i)
            value = (value << 8) | static_cast<unsigned char>(head[i]);
        return value;
    };
    const std::uint32_t width = number(16);
    const std::uint32_t height = number(20);
    constexpr std::uint32_t kLargest = 0x7fffffff;
    if (width == 0 || height == 0 || width > kLargest || height > kLargest)
        return {};
    return QSize(static_cast<int>(width), static_cast<int>(height));
}

}  // namespace zol
