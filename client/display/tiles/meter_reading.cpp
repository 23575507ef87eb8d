#include "client/display/tiles/meter_reading.h"

#include <algorithm>

#include "client/model/design.h"

namespace zol {

namespace {

constexpr double kSweepDegrees = 180.0;
constexpr double kAmberFrom = 121.0;
constexpr double kRedFrom = 157.0;

}  // namespace

MeterReading ReadMeter(const Design& design, const MeterTileData& data) {
    std::int64_t rated = 0;
    MeterReading reading;
    for (const auto& object : design.objects) {
        rated += object->metered;
        reading.watts += std::int64_t{object->metered} * object->level / 100;
    }
    const double fullScale =
        static_cast<double>(data.fixedMax != 0 ? std::int64_t{data.maxWatts} : rated) /
        kSweepDegrees;
    if (reading.watts <= 0)
        return reading;
    // No full scale (or a negative one) reads as overload.
    const double angle =
        fullScale > 0 ? static_cast<double>(reading.watts) / fullScale : kSweepDegrees;
    reading.angle = std::clamp(angle, 0.0, kSweepDegrees);
    return reading;
}

std::uint32_t MeterTextColor(double angle) {
    if (angle >= kRedFrom)
        return 0x6767FF;
    if (angle >= kAmberFrom)
        return 0x67D4FF;
    return 0xFFFFFF;
}

}  // namespace zol
