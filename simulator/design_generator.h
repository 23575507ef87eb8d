// Large designs for benchmarks and load tests:
// "objects=N,displays=M,tiles=K,icons=I".
#pragma once

#include <string>

#include "simulator/sim_design.h"

namespace zol {

struct GenerateSpec {
    int objects = 0;
    int displays = 0;
    int tilesPerDisplay = 0;
    int icons = 0;  // objects on the extra icon display "Icons"; 0: no such display
};

// Upper bounds that keep every entry within one reply.
inline constexpr int kMaxGeneratedObjects = 200000;
inline constexpr int kMaxGeneratedDisplays = 20000;
inline constexpr int kMaxGeneratedTiles = 60;
// A display lists at most this many objects (its entry must fit a reply).
inline constexpr int kMaxObjectsPerGeneratedDisplay = 400;
// The icon display holds only object ids, so it can list more.
inline constexpr int kMaxGeneratedIcons = 800;

// Parses "objects=N,displays=M,tiles=K,icons=I" (any order, each optional). Returns
// an empty text or why the text was refused.
std::string ParseGenerateSpec(const std::string& text, GenerateSpec& spec);

// A house of `objects` objects spread over rooms, `displays` tiled displays
// each with `tilesPerDisplay` tiles of every type in turn, and one icon
// display per room-group; with `icons`, one more display of kind icons,
// "Icons", listing the first `icons` objects (a screen full of icons for
// push load tests). Deterministic: the same spec gives the same design.
SimDesign GenerateDesign(const GenerateSpec& spec);

}  // namespace zol
