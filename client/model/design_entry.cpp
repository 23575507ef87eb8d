#include "client/model/design_entry.h"

#include <algorithm>

namespace zol {

namespace {

// How many of `count` fields from `first` on are kept: at most 16, and only
// those the entry carries.
std::int32_t Kept(std::int64_t count, std::int64_t first, const ReplyFields& entry) {
    const std::int64_t carried = std::max<std::int64_t>(0, entry.Count() - first + 1);
    return static_cast<std::int32_t>(std::min({count, carried, std::int64_t{kMaxObjectSlots}}));
}

}  // namespace

void DecodeDesignObject(const ReplyFields& entry, int serverMajor, DesignObject& object) {
    object.objectId = entry.Number(1);
    object.name = entry.Text(2);
    object.iconName = entry.Text(3);
    object.templateName = entry.Text(4);
    object.level = entry.Number(5);
    object.suspendState = entry.Number(6);
    object.objectKind = entry.Number(7);

    // Counts as sent, never negative; positions in 64 bits so a wild count
    // only moves them beyond the entry.
    const std::int64_t textCount = std::max<std::int64_t>(0, entry.Number(8));
    const std::int64_t buttonCount = std::max<std::int64_t>(0, entry.Number(9));
    const std::int64_t firstText = 10;
    const std::int64_t firstName = firstText + textCount;
    const std::int64_t firstState = firstName + buttonCount;
    const std::int64_t p = firstState + buttonCount;

    object.textCount = Kept(textCount, firstText, entry);
    object.texts.Resize(static_cast<std::size_t>(object.textCount));
    for (std::int32_t i = 0; i < object.textCount; ++i)
        object.texts[static_cast<std::size_t>(i)] = entry.Text(firstText + i);
    object.buttonCount = Kept(buttonCount, firstName, entry);
    object.buttonNames.Resize(static_cast<std::size_t>(object.buttonCount));
    for (std::int32_t i = 0; i < object.buttonCount; ++i) {
        object.buttonNames[static_cast<std::size_t>(i)] = entry.Text(firstName + i);
        object.buttonStates[static_cast<std::size_t>(i)] = entry.Number(firstState + i);
    }

    object.clickAction = entry.Number(p);
    object.doubleClickAction = entry.Number(p + 1);
    object.location = entry.Text(p + 2);
    object.ownIconName = entry.Text(p + 3);
    object.caption = entry.Text(p + 4);
    object.ownLevel = entry.Number(p + 5);
    object.metered = entry.Number(p + 6);
    object.reserved2 = entry.Number(p + 7);
    if (serverMajor < kExtendedEntriesMajor)
        return;
    object.errorCondition = entry.Number(p + 9);
    object.reserved3 = entry.Number(p + 10);
    object.statusText = entry.Text(p + 16);
    object.overlayText = entry.Text(p + 17);
    object.overlaySize = entry.Number(p + 18);
    object.overlayColor = entry.Number(p + 19);
}

}  // namespace zol
