// Windows colour references (0x00BBGGRR) as Qt colours.
#pragma once

#include <QColor>

#include <cstdint>

namespace zol {

inline QColor FromColorRef(std::uint32_t colorRef) {
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

}  // namespace zol
