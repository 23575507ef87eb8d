// How one item of an icon tile looks: its text, the picture for its level,
// the state text under the picture and its colours. The rules only read the
// records; painting is the icon delegate's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zol {

struct DesignObject;
struct DisplayRecord;
struct ThemeIcon;
struct ThemePicture;

// What the look of an item depends on, for an object or a display shown as
// an icon (a display has no suspend, error or texts of its own).
struct IconItemState {
    std::string iconName;    // ownIconName when set, else iconName
    std::int32_t level = 0;  // ownLevel with ownIconName, else level
    std::int32_t suspendState = 0;
    std::int32_t errorCondition = 0;
    std::string statusText;
    std::string overlayText;
    std::int32_t overlaySize = 0;
    std::int32_t overlayColor = 0;
};

IconItemState StateOf(const DesignObject& object);
IconItemState StateOf(const DisplayRecord& display);

// The text under an item. `source` is the display whose objects the tile
// shows (null when there is none); exactly one of `object` and `display` is
// the item's record.
std::string ItemText(const DisplayRecord* source, const DesignObject* object,
                     const DisplayRecord* display);

// The picture for `level`: off at 0; at 100 on, else dim, else off; at 1 to
// 99 dim, else on, else off. Levels outside 0 to 100 count as the nearest end.
const ThemePicture& PictureForLevel(const ThemeIcon& icon, std::int32_t level);
// How many pictures the icon has (1 to 3).
int PictureCount(const ThemeIcon& icon);

// The text under the picture, for a set whose state-text option is
// `featureType`: the object's status text when it has one; otherwise option
// 2 "Off", "%d%%" or "On"; option 3 the same without "Off"; option 4 the
// percentage only (dimmed levels); any other option nothing.
std::string StateText(std::int32_t featureType, std::int32_t level, std::string_view statusText);

// The colour settings the rules use (0x00BBGGRR).
struct IconColours {
    std::int32_t textColor = 0;
    std::int32_t onColor = 0;
    std::int32_t suspendColor = 0;
    std::int32_t modeSuspendColor = 0;
    std::int32_t errorConditionColor = 0;
};

// The item text's colour: on or plain; on an icon with more than one
// picture, mode-suspended and error states colour the text (error wins).
std::int32_t ItemTextColor(const IconItemState& state, int pictureCount, const IconColours& c);
// The frame drawn round an icon with at most one picture, which cannot show
// those states: suspend, mode-suspend, error (wins), else the tile's colour.
std::int32_t StateFrameColor(const IconItemState& state, std::int32_t backColor,
                             const IconColours& c);

}  // namespace zol
