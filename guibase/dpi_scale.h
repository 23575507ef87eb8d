// Pixel constants of the touch interface are for 96 dots per inch; at another
// DPI a constant n becomes trunc(n * dpi / 96).
#pragma once

#include <cstdint>

namespace zol {

inline constexpr int kReferenceDpi = 96;

constexpr int ScalePixels(int pixels, int dpi) {
    if (dpi <= 0 || dpi == kReferenceDpi)
        return pixels;
    return static_cast<int>(std::int64_t{pixels} * dpi / kReferenceDpi);
}

// The DPI the interface scales with: DebugDPI when set (to try other
// screens), else ScreenDPI when set, else what the screen reports.
constexpr int EffectiveDpi(std::int32_t screenDpiSetting, std::int32_t debugDpiSetting,
                           int screenDpi) {
    if (debugDpiSetting > 0)
        return debugDpiSetting;
    if (screenDpiSetting > 0)
        return screenDpiSetting;
    return screenDpi > 0 ? screenDpi : kReferenceDpi;
}

}  // namespace zol
