#include "client/model/icon_set.h"

#include <algorithm>

#include "platform/ascii_text.h"

namespace zol {

const ThemeIcon* FindIcon(const IconSet& set, std::string_view name) {
    if (set.icons.empty())
        return nullptr;
    for (const ThemeIcon& icon : set.icons) {
        if (icon.name == name)
            return &icon;
    }
    return &set.icons.front();
}

IconSet& InsertIconSet(IconSetList& sets, std::unique_ptr<IconSet> set) {
    auto at = std::upper_bound(sets.begin(), sets.end(), set->name,
                               [](std::string_view name, const std::unique_ptr<IconSet>& other) {
                                   return LessNoCase(name, other->name);
                               });
    return **sets.insert(at, std::move(set));
}

const IconSet* FindIconSet(const IconSetList& sets, std::string_view name) {
    for (const std::unique_ptr<IconSet>& set : sets) {
        if (EqualsNoCase(set->name, name))
            return set.get();
    }
    return nullptr;
}

const IconSet* FindIconSet(const std::vector<IconSet>& sets, std::string_view name) {
    for (const IconSet& set : sets) {
        if (EqualsNoCase(set.name, name))
            return &set;
    }
    return nullptr;
}

}  // namespace zol
