// Wire forms of the design's objects and displays: the nested entries of
// "GetDesign" and "GetDisplays", and the "Update" push that reports a new
// object or display state.
#pragma once

#include <string>

#include "simulator/sim_design.h"

namespace zol {

// Servers from this major version on send the longer object entries and
// "Update" pushes.
inline constexpr int kExtendedEntriesMajor = 14;

// One "GetDesign" entry (a field list) for a server of `serverMajor`.
std::string EncodeObjectEntry(const SimObject& object, int serverMajor);

// One "GetDisplays" entry (a field list of 31 fields).
std::string EncodeDisplayEntry(const SimDisplay& display);

// The "Update" push for an object, or for a display shown as an icon.
std::string EncodeObjectUpdate(const SimObject& object, const std::string& designTimeStamp,
                               int serverMajor);
std::string EncodeDisplayUpdate(const SimDisplay& display, const std::string& designTimeStamp);

}  // namespace zol
