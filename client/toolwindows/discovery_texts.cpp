#include "client/toolwindows/discovery_texts.h"

#include <cstdio>

namespace zol {

std::string ServerFoundText(const std::string& address, int port) {
    // Measured first, so any address fits.
    const int length = std::snprintf(nullptr, 0, kServerFoundFormat, address.c_str(), port);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    std::snprintf(text.data(), text.size() + 1, kServerFoundFormat, address.c_str(), port);
    return text;
}

}  // namespace zol
