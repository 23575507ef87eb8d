// Colours and touch sizes the control pop-ups share. Colours are 0x00BBGGRR
// values; sizes are pixels at 96 DPI, scaled with ScalePixels.
#pragma once

#include <cstdint>

namespace zol {

inline constexpr std::uint32_t kPopupTitleColor = 0x2100A5;
inline constexpr std::uint32_t kPopupBackColor = 0xF0F0F0;  // the system's button face
inline constexpr std::uint32_t kEnabledButtonColor = 0xC1AA9C;
inline constexpr std::uint32_t kDisabledButtonColor = 0xDCDCDC;
inline constexpr std::uint32_t kKeyIndicatorOnColor = 0x99FFFF;
inline constexpr std::uint32_t kButtonTextColor = 0x202020;

// A finger needs about 10 mm: no target is smaller than this.
inline constexpr int kMinTouchTarget = 48;
inline constexpr int kKeyWidth = 168;
inline constexpr int kKeyHeight = 64;
inline constexpr int kRockerHalfHeight = 56;
inline constexpr int kPopupMargin = 20;
inline constexpr int kPopupMinWidth = 400;
inline constexpr int kPopupSpacing = 12;
inline constexpr int kTitlePixels = 22;
inline constexpr int kButtonTextPixels = 18;
inline constexpr int kLabelPixels = 17;
inline constexpr int kSliderHandle = 48;

// Control ids kept from the dialogs' resources.
inline constexpr int kTitleControlId = 1050;
inline constexpr int kCloseControlId = 1;  // IDOK

// The pop-up's own timers.
inline constexpr int kPopupCloseTimerId = 10;

}  // namespace zol
