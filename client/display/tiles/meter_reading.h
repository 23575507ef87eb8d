// What the power meter shows: the power all devices draw now and the
// needle's angle on the 180° dial.
#pragma once

#include <cstdint>

namespace zol {

struct Design;
struct MeterTileData;

struct MeterReading {
    std::int64_t watts = 0;
    double angle = 0;  // degrees, 0 (left) to 180 (right)
};

// Full scale is the fixed maximum, or the sum of every object's rating.
// The angle is clamped to the dial, whatever the maximum (0 included).
MeterReading ReadMeter(const Design& design, const MeterTileData& data);

// The colour of the power text at `angle` (0x00BBGGRR): white, then amber
// from 121°, red from 157°.
std::uint32_t MeterTextColor(double angle);

}  // namespace zol
