#include "guibase/windows1252_text.h"

#include <QFile>

#include "platform/windows1252.h"

namespace zol {

QString FromWindows1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char b : bytes) {
        // Every Windows-1252 character lies in the basic plane: one UTF-16 unit.
        text.append(
            QChar(static_cast<char16_t>(Windows1252ToUnicode(static_cast<unsigned char>(b)))));
    }
    return text;
}

std::string ToWindows1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSurrogate()) {
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;
            bytes += '?';
            continue;
        }
        bytes += UnicodeToWindows1252(c.unicode());
    }
    return bytes;
}

std::filesystem::path PathFromWindows1252(std::string_view bytes) {
    const QByteArray native = QFile::encodeName(FromWindows1252(bytes));
    return std::filesystem::path(
        std::string(native.constData(), static_cast<std::size_t>(native.size())));
}

std::string Windows1252FromPath(const std::filesystem::path& path) {
    const std::string& native = path.native();
    return ToWindows1252(
        QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size()))));
}

}  // namespace zol
