#include "client/model/design.h"

#include <algorithm>
#include <iterator>

#include "platform/ascii_text.h"

namespace zol {

void Design::IndexObjects() const {
    objectIndex_.clear();
    objectIndex_.reserve(objects.size());
    for (std::size_t i = 0; i < objects.size(); ++i)
        objectIndex_.emplace_back(objects[i]->objectId, i);
    // Stable: of records with the same id, the first comes first.
    std::stable_sort(objectIndex_.begin(), objectIndex_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    indexedStorage_ = objects.data();
    indexedCount_ = objects.size();
}

DesignObject* Design::FindObject(std::int32_t objectId) const {
    if (objects.data() != indexedStorage_ || objects.size() != indexedCount_)
        IndexObjects();
    auto find = [&]() -> DesignObject* {
        auto at =
            std::lower_bound(objectIndex_.begin(), objectIndex_.end(), objectId,
                             [](const auto& entry, std::int32_t id) { return entry.first < id; });
        return at != objectIndex_.end() && at->first == objectId ? objects[at->second].get()
                                                                 : nullptr;
    };
    DesignObject* object = find();
    if (object != nullptr && object->objectId != objectId) {
        IndexObjects();  // a record was replaced in place after all
        object = find();
    }
    return object;
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
    objectIndex_.clear();
    indexedStorage_ = nullptr;
    indexedCount_ = 0;
    displays.clear();
}

}  // namespace zol
