// How long a RIFF WAVE file plays, from its "fmt " and "data" chunks.
//
// Thread-safety: a pure function.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace zol {

// Null when `head` (the file's first bytes) names no byte rate or no data
// length.
std::optional<std::chrono::milliseconds> WaveDuration(std::string_view head);

}  // namespace zol
