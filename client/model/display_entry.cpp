#include "client/model/display_entry.h"

#include <algorithm>

namespace zol {

namespace {

const IconSet* Lookup(const IconSetLookup& iconSets, std::string_view name) {
    return iconSets && !name.empty() ? iconSets(name) : nullptr;
}

int DecodeObjectIds(const ReplyFields& entry, DisplayRecord& display) {
    std::vector<std::int32_t> ids;
    if (!entry.Text(13).empty()) {
        ReplyFields list;
        if (int code = entry.DecodeNested(13, list))
            return code;
        ids.reserve(static_cast<std::size_t>(list.Count()));
        for (std::int64_t i = 1; i <= list.Count(); ++i)
            ids.push_back(list.Number(i));
    }
    display.SetObjectIds(std::move(ids));
    return 0;
}

// The pairs the list holds, for at most as many objects as the display shows.
int DecodeIconPositions(const ReplyFields& entry, DisplayRecord& display) {
    ReplyFields list;
    if (int code = entry.DecodeNested(26, list))
        return code;
    const std::int64_t pairs = std::min<std::int64_t>(list.Count() / 2, display.objectCount);
    display.iconPositions.clear();
    for (std::int64_t i = 0; i < pairs; ++i)
        display.iconPositions.push_back({list.Number(2 * i + 1), list.Number(2 * i + 2)});
    return 0;
}

}  // namespace

int DecodeDisplayEntry(const ReplyFields& entry, const IconSetLookup& iconSets,
                       DisplayRecord& display) {
    const std::int64_t count = entry.Count();
    display.name = entry.Text(1);
    display.displayId = entry.Number(2);
    display.level = entry.Number(3);
    display.iconName = entry.Text(4);
    display.clickAction = entry.Number(5);
    display.doubleClickAction = entry.Number(6);
    display.hiddenFromHome = entry.Number(7);
    display.ownIconName = entry.Text(9);
    display.iconCaption = entry.Text(10);
    display.displayKind = entry.Number(11);
    display.showLocations = entry.Number(12);
    if (int code = DecodeObjectIds(entry, display))
        return code;
    display.ownLevel = entry.Number(14);
    display.backgroundMode = entry.Number(15);
    display.backgroundImage = entry.Text(16);
    display.noHomeReturn = entry.Number(17);
    display.caption = entry.Text(18);
    if (display.caption.empty())
        display.caption = display.name;
    display.htmlPath = entry.Text(19);
    display.htmlAddress = entry.Text(20);
    if (count >= 21) {
        if (const IconSet* set = Lookup(iconSets, entry.Text(21))) {
            display.layoutTheme = set;
            display.positionsIconSet = set;
        }
    }
    if (count >= 26) {
        // The server sends both flags inverted: 0 means set.
        display.explicitPositions = entry.Number(24) == 0 ? 1 : 0;
        display.hideNames = entry.Number(25) == 0 ? 1 : 0;
        if (entry.Number(24) == 0 && !entry.Text(26).empty()) {
            if (int code = DecodeIconPositions(entry, display))
                return code;
        }
    }
    if (count >= 27) {
        if (const IconSet* set = Lookup(iconSets, entry.Text(27)))
            display.positionsIconSet = set;
    }
    if (count >= 28)
        display.htmlCopyAtConnect = entry.Number(28);
    if (count >= 31) {
        display.reserved29 = entry.Number(29);
        display.enterExitProgramId = entry.Number(30);
        display.reserved31 = entry.Number(31);
    }
    return 0;
}

}  // namespace zol
