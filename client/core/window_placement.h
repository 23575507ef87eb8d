// The main window's placement as the Windows placement record keeps it, and
// the rules that repair a saved placement that no longer fits the screen.
#pragma once

#include <cstdint>

namespace zol {

struct PlacementPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const PlacementPoint&) const = default;
};

struct PlacementRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int64_t Width() const { return std::int64_t{right} - left; }
    std::int64_t Height() const { return std::int64_t{bottom} - top; }
    bool IsEmpty() const { return Width() <= 0 || Height() <= 0; }
    bool IsAllZero() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool LiesInside(const PlacementRect& outer) const {
        return left >= outer.left && top >= outer.top && right <= outer.right &&
               bottom <= outer.bottom;
    }
    bool operator==(const PlacementRect&) const = default;
};

// Show commands of the placement record.
inline constexpr std::int32_t kShowNormal = 1;
inline constexpr std::int32_t kShowMinimized = 2;
inline constexpr std::int32_t kShowMaximized = 3;
inline constexpr std::int32_t kShow = 5;
// Ours: full screen (UI command 6) is no Windows show state, so it has a
// value clear of theirs (0 to 11). The normal rectangle stays the one the
// window returns to.
inline constexpr std::int32_t kShowFullScreen = 0x100;

struct WindowPlacement {
    std::int32_t length = 44;  // size of the Windows record, kept for fidelity
    std::int32_t flags = 0;
    std::int32_t showCmd = 0;
    PlacementPoint minPosition;
    PlacementPoint maxPosition;
    PlacementRect normalPosition;
};

// The normal rectangle to use for a saved one. It is kept when it lies
// wholly inside the work area (and is neither all zero nor empty), and when it is exactly
// the whole screen; otherwise it moves to the origin keeping its size, and if
// that still does not fit, or is empty, it becomes (0, 0, work-area right,
// work-area bottom).
PlacementRect RepairNormalPosition(const PlacementRect& saved, const PlacementRect& screen,
                                   const PlacementRect& workArea);

}  // namespace zol
