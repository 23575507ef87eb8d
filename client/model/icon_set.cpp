#include "client/model/icon_set.h"

#include "platform/ascii_text.h"

namespace zol {

const IconSet* FindIconSet(const std::vector<IconSet>& sets, std::string_view name) {
    for (const IconSet& set : sets) {
        if (EqualsNoCase(set.name, name))
            return &set;
    }
    return nullptr;
}

}  // namespace zol
