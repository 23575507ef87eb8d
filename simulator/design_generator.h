// Large designs for benchmarks and load tests: "objects=N,displays=M,tiles=K".
#pragma once

#include <string>

#include "simulator/sim_design.h"

namespace zol {

struct GenerateSpec {
    int objects = 0;
    int displays = 0;
    int tilesPerDisplay = 0;
};

// Upper bounds that keep every entry within one reply.
inline constexpr int kMaxGeneratedObjects = 200000;
inline constexpr int kMaxGeneratedDisplays = 20000;
inline constexpr int kMaxGeneratedTiles = 60;
// A display lists at most this many objects (its entry must fit a reply).
inline constexpr int kMaxObjectsPerGeneratedDisplay = 400;

// Parses "objects=N,displays=M,tiles=K" (any order, each optional). Returns
// an empty text or why the text was refused.
std::string ParseGenerateSpec(const std::string& text, GenerateSpec& spec);

// A house of `objects` objects spread over rooms, `displays` tiled displays
// each with `tilesPerDisplay` tiles of every type in turn, and one icon
// display per room-group. Deterministic: the same spec gives the same design.
SimDesign GenerateDesign(const GenerateSpec& spec);

}  // namespace zol
