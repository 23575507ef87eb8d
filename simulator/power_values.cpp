#include "simulator/power_values.h"

namespace zol {

namespace {

int ObjectPower(const SimObject& object) {
    return static_cast<int>(static_cast<long long>(object.metered) * object.level / 100);
}

}  // namespace

int PowerOf(SimDesign& design, int id) {
    if (const SimObject* object = design.FindObject(id)) {
        return ObjectPower(*object);
    }
    if (const SimDisplay* display = design.FindDisplay(id)) {
        long long sum = 0;
        for (const SimObject& object : design.objects) {
            if (object.location == display->name) {
                sum += ObjectPower(object);
            }
        }
        return static_cast<int>(sum);
    }
    return 0;
}

int SegmentValue(SimDesign& design, const SimGraphSegment& segment) {
    return segment.value ? *segment.value : PowerOf(design, segment.objectId);
}

}  // namespace zol
