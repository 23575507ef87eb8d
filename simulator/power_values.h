// Live power values of the power graphs: what an object draws now.
#pragma once

#include "simulator/sim_design.h"

namespace zol {

// metered × level ÷ 100 for an object; for a display, the sum over the
// objects whose location is the display's name; 0 for an unknown id.
int PowerOf(SimDesign& design, int id);

// The segment's fixed value when the design gives one, else the live value.
int SegmentValue(SimDesign& design, const SimGraphSegment& segment);

}  // namespace zol
