#include "client/model/design.h"

#include <iterator>

#include "platform/ascii_text.h"

namespace zol {

DesignObject* Design::FindObject(std::int32_t objectId) const {
    for (const auto& object : objects) {
        if (object->objectId == objectId)
            return object.get();
    }
    return nullptr;
}

DisplayRecord* Design::FindDisplay(std::int32_t displayId) const {
    for (const auto& display : displays) {
        if (display->displayId == displayId)
            return display.get();
    }
    return nullptr;
}

DisplayRecord* Design::FindDisplayByName(std::string_view name) const {
    for (const auto& display : displays) {
        if (EqualsNoCase(display->name, name))
            return display.get();
    }
    return nullptr;
}

DisplayRecord* Design::HomeDisplay() const {
    for (const auto& display : displays) {
        if (display->isHome != 0)
            return display.get();
    }
    return nullptr;
}

void Design::AppendDisplays(DisplayList&& list) {
    displays.insert(displays.end(), std::make_move_iterator(list.begin()),
                    std::make_move_iterator(list.end()));
    list.clear();
}

void Design::Clear() {
    objects.clear();
    displays.clear();
}

}  // namespace zol
