#include "simulator/design_entries.h"

#include <algorithm>

#include "simulator/field_builder.h"

namespace zol {

namespace {

// The client keeps at most 16 texts, buttons and states, but reads the
// counts it is given; we never send more than it can keep.
std::size_t Capped(std::size_t count) {
    return std::min<std::size_t>(count, kMaxButtons);
}

int ButtonCount(const SimObject& object) {
    return static_cast<int>(Capped(object.buttonNames.size()));
}

int ButtonState(const SimObject& object, int index) {
    return index < static_cast<int>(object.buttonStates.size()) ? object.buttonStates[index] : 0;
}

}  // namespace

std::string EncodeObjectEntry(const SimObject& object, int serverMajor) {
    FieldBuilder entry;
    const int textCount = static_cast<int>(Capped(object.texts.size()));
    const int buttonCount = ButtonCount(object);
    entry.Add(object.objectId)
        .Add(object.name)
        .Add(object.iconName)
        .Add(object.templateName)
        .Add(object.level)
        .Add(object.suspendState)
        .Add(object.objectKind)
        .Add(textCount)
        .Add(buttonCount);
    for (int i = 0; i < textCount; ++i) {
        entry.Add(object.texts[i]);
    }
    for (int i = 0; i < buttonCount; ++i) {
        entry.Add(object.buttonNames[i]);
    }
    for (int i = 0; i < buttonCount; ++i) {
        entry.Add(ButtonState(object, i));
    }
    entry.Add(object.clickAction)
        .Add(object.doubleClickAction)
        .Add(object.location)
        .Add(object.ownIconName)
        .Add(object.caption)
        .Add(object.ownLevel)
        .Add(object.metered)
        .Add(object.reserved2);
    if (serverMajor >= kExtendedEntriesMajor) {
        entry.Add(0).Add(object.errorCondition).Add(object.reserved3);
        for (int i = 0; i < 5; ++i) {
            entry.Add(0);
        }
        entry.Add(object.statusText)
            .Add(object.overlayText)
            .Add(object.overlaySize)
            .Add(object.overlayColor);
    }
    return entry.Message();
}

std::string EncodeDisplayEntry(const SimDisplay& display) {
    FieldBuilder ids;
    for (int id : display.objectIds) {
        ids.Add(id);
    }
    FieldBuilder positions;
    for (const auto& [x, y] : display.iconPositions) {
        positions.Add(x).Add(y);
    }
    FieldBuilder entry;
    entry.Add(display.name)
        .Add(display.displayId)
        .Add(display.level)
        .Add(display.iconName)
        .Add(display.clickAction)
        .Add(display.doubleClickAction)
        .Add(display.hiddenFromHome)
        .Add(0)
        .Add(display.ownIconName)
        .Add(display.iconCaption)
        .Add(display.displayKind)
        .Add(display.showLocations)
        .Add(display.objectIds.empty() ? std::string() : ids.Message())
        .Add(display.ownLevel)
        .Add(display.backgroundMode)
        .Add(display.backgroundImage)
        .Add(display.noHomeReturn)
        .Add(display.caption)
        .Add(display.htmlPath)
        .Add(display.htmlAddress)
        .Add(display.layoutTheme)
        .Add(0)
        .Add(0)
        // The client reads these two flags inverted: 0 means set.
        .Add(display.explicitPositions ? 0 : 1)
        .Add(display.hideNames ? 0 : 1)
        .Add(display.iconPositions.empty() ? std::string() : positions.Message())
        .Add(display.positionsIconSet)
        .Add(display.htmlCopyAtConnect)
        .Add(display.reserved29)
        .Add(display.enterExitProgramId)
        .Add(display.reserved31);
    return entry.Message();
}

std::string EncodeObjectUpdate(const SimObject& object, const std::string& designTimeStamp,
                               int serverMajor) {
    FieldBuilder push;
    const int buttonCount = ButtonCount(object);
    push.Add(0)
        .Add("ZOLApp")
        .Add("Update")
        .Add(object.objectId)
        .Add(object.level)
        .Add(object.suspendState)
        .Add(buttonCount);
    for (int i = 0; i < buttonCount; ++i) {
        push.Add(ButtonState(object, i));
    }
    push.Add(object.ownIconName).Add(object.caption).Add(object.ownLevel).Add(designTimeStamp);
    if (serverMajor >= kExtendedEntriesMajor) {
        push.Add(object.reserved4)
            .Add(object.errorCondition)
            .Add(object.statusText)
            .Add(object.overlayText)
            .Add(object.overlaySize)
            .Add(object.overlayColor);
    }
    return push.Message();
}

std::string EncodeDisplayUpdate(const SimDisplay& display, const std::string& designTimeStamp) {
    FieldBuilder push;
    push.Add(0)
        .Add("ZOLApp")
        .Add("Update")
        .Add(display.displayId)
        .Add(display.level)
        .Add(0)
        .Add(0)
        .Add(display.ownIconName)
        .Add(display.caption)
        .Add(display.ownLevel)
        .Add(designTimeStamp);
    return push.Message();
}

}  // namespace zol
