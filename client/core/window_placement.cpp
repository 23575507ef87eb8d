#include "client/core/window_placement.h"

#include <limits>

namespace zol {

PlacementRect RepairNormalPosition(const PlacementRect& saved, const PlacementRect& screen,
                                   const PlacementRect& workArea) {
    // An inverted (empty) rectangle "lies inside" by its corners but would
    // give a window of no size, so it is repaired too.
    const bool needsRepair = saved.IsAllZero() || saved.IsEmpty() || !saved.LiesInside(workArea);
    if (!needsRepair || saved == screen)
        return saved;

    const PlacementRect fillWorkArea{0, 0, workArea.right, workArea.bottom};
    if (saved.IsEmpty())
        return fillWorkArea;
    // Saturate so that a corrupt saved rectangle cannot overflow the size.
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    PlacementRect moved;
    moved.right = static_cast<std::int32_t>(saved.Width() > kMax ? kMax : saved.Width());
    moved.bottom = static_cast<std::int32_t>(saved.Height() > kMax ? kMax : saved.Height());
    if (!moved.LiesInside(workArea))
        return fillWorkArea;
    return moved;
}

}  // namespace zol
