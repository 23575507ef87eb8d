#include "client/display/icon_item_rules.h"

#include <algorithm>

#include "client/model/design_object.h"
#include "client/model/display_record.h"
#include "client/model/icon_set.h"

namespace zol {

IconItemState StateOf(const DesignObject& object) {
    IconItemState state;
    const bool own = !object.ownIconName.empty();
    state.iconName = own ? object.ownIconName : object.iconName;
    state.level = own ? object.ownLevel : object.level;
    state.suspendState = object.suspendState;
    state.errorCondition = object.errorCondition;
    state.statusText = object.statusText;
    state.overlayText = object.overlayText;
    state.overlaySize = object.overlaySize;
    state.overlayColor = object.overlayColor;
    return state;
}

IconItemState StateOf(const DisplayRecord& display) {
    IconItemState state;
    const bool own = !display.ownIconName.empty();
    state.iconName = own ? display.ownIconName : display.iconName;
    state.level = own ? display.ownLevel : display.level;
    return state;
}

std::string ItemText(const DisplayRecord* source, const DesignObject* object,
                     const DisplayRecord* display) {
    if (source != nullptr && source->hideNames != 0)
        return {};
    if (display != nullptr)
        return display->iconCaption.empty() ? display->name : display->iconCaption;
    if (object == nullptr)
        return {};
    if (!object->caption.empty())
        return object->caption;
    if (source == nullptr || source->showLocations != 0)
        return FullObjectName(*object);
    return object->name;
}

const ThemePicture& PictureForLevel(const ThemeIcon& icon, std::int32_t level) {
    if (level <= 0)
        return icon.off;
    if (level >= 100)
        return icon.on.Present() ? icon.on : icon.DimOrOff();
    return icon.dim.Present() ? icon.dim : icon.OnOrOff();
}

int PictureCount(const ThemeIcon& icon) {
    return 1 + (icon.on.Present() ? 1 : 0) + (icon.dim.Present() ? 1 : 0);
}

std::string StateText(std::int32_t featureType, std::int32_t level, std::string_view statusText) {
    if (!statusText.empty())
        return std::string(statusText);
    const bool off = level <= 0;
    const bool on = level >= 100;
    const std::string percent = std::to_string(level) + "%";
    switch (featureType) {
        case 2:
            return off ? "Off" : on ? "On" : percent;
        case 3:
            return off ? "" : on ? "On" : percent;
        case 4:
            return off || on ? "" : percent;
        default:
            return {};
    }
}

std::int32_t ItemTextColor(const IconItemState& state, int pictureCount, const IconColours& c) {
    if (pictureCount > 1) {
        if (state.errorCondition != 0)
            return c.errorConditionColor;
        if (state.suspendState == 2)
            return c.modeSuspendColor;
    }
    return state.level != 0 ? c.onColor : c.textColor;
}

std::int32_t StateFrameColor(const IconItemState& state, std::int32_t backColor,
                             const IconColours& c) {
    if (state.errorCondition != 0)
        return c.errorConditionColor;
    if (state.suspendState == 1)
        return c.suspendColor;
    if (state.suspendState == 2)
        return c.modeSuspendColor;
    return backColor;
}

}  // namespace zol
