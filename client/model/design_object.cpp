#include "client/model/design_object.h"

namespace zol {

const std::string& ObjectSlots::Empty() {
    static const std::string empty;
    return empty;
}

std::string FullObjectName(const DesignObject& object) {
    return object.location + " - " + object.name;
}

const char* ObjectKindName(std::int32_t objectKind) {
    switch (objectKind) {
        case ObjectKindDevice:
            return "Device";
        case ObjectKindProgram:
            return "Program";
        case ObjectKindGroup:
            return "Group";
        case ObjectKindController:
            return "Controller";
        default:
            return "";
    }
}

}  // namespace zol
