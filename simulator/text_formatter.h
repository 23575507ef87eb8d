// "FormatText": replaces the placeholders of a tile label or text.
#pragma once

#include <chrono>
#include <string>

#include "simulator/sim_design.h"

namespace zol {

// Replaces every "%name%" that the design defines, the built-ins %TIME%
// (HH:MM), %DATE% (YYYY-MM-DD) and %LEVEL:<objectId>% (the object's level).
// Unknown placeholders and lone "%" characters stay as they are.
std::string FormatPlaceholders(const std::string& text, SimDesign& design,
                               std::chrono::system_clock::time_point now);

}  // namespace zol
