#include "client/popups/dim_tracker.h"

namespace zol {

std::optional<DimStep> DimTracker::Move(int position) {
    if (position == last_)
        return std::nullopt;
    const int from = last_;
    last_ = position;
    if (position == 0) {
        offBySlider_ = true;
        return DimStep{DimStep::TurnOff, 0};
    }
    if (offBySlider_) {
        offBySlider_ = false;
        return DimStep{DimStep::DimTo, position};
    }
    if (position > from)
        return DimStep{DimStep::DimUp, position - from};
    return DimStep{DimStep::DimDown, from - position};
}

}  // namespace zol
