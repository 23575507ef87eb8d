// DisplayRecord: one display of the server's design (a screen of tiles),
// created by the display loading and owned by the Design; it owns its tiles.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "client/model/icon_set.h"
#include "client/model/record_type.h"
#include "client/model/tile_record.h"

namespace zol {

enum DisplayKind : std::int32_t {
    DisplayIcons = 0,
    DisplayHtml = 1,
    DisplayHtmlFolder = 2,
    DisplayPowerGraph = 3,
    DisplayText = 4,
    DisplayTiled = 5,
    DisplayRecentIcons = 6,
};

struct IconPosition {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const IconPosition&) const = default;
};

struct DisplayRecord {
    std::int32_t recordType = kRecordTypeDisplay;
    std::string name;
    std::int32_t displayId = 0;
    std::int32_t reserved29 = 0;  // kept, not used by the client
    std::int32_t isHome = 0;
    std::int32_t singleTile = 0;  // the client made the one whole-display tile
    std::string caption;
    std::string iconName;
    std::int32_t clickAction = 0;  // as an icon: 1 toggle on/off, 2 go to the display
    std::int32_t doubleClickAction = 0;
    std::int32_t noHomeReturn = 0;
    std::int32_t level = 0;
    std::int32_t hiddenFromHome = 0;  // 0: listed on the constructed home page
    std::int32_t showLocations = 0;
    std::int32_t displayKind = DisplayIcons;
    std::string ownIconName;
    std::string iconCaption;
    std::int32_t ownLevel = 0;
    const IconSet* layoutTheme = nullptr;       // not owned
    const IconSet* positionsIconSet = nullptr;  // not owned
    std::int32_t objectCount = 0;               // always objectIds.size()
    std::vector<std::int32_t> objectIds;
    std::int32_t backgroundMode = 0;  // 1: backgroundImage is shown behind the icons
    std::string backgroundImage;
    std::string htmlPath;
    std::string htmlAddress;
    std::int32_t htmlCopyAtConnect = 0;
    std::int32_t enterExitProgramId = 0;
    std::int32_t reserved31 = 0;  // kept, not used by the client
    std::int32_t explicitPositions = 0;
    std::int32_t hideNames = 0;
    // Positions of the first objects, in the cell spacing of
    // positionsIconSet; objects beyond the pairs received (all of them when
    // empty) are placed automatically.
    std::vector<IconPosition> iconPositions;
    // In layout order; a list, so a tile stays where it is while its window
    // refers to it.
    std::list<TileRecord> tiles;

    void SetObjectIds(std::vector<std::int32_t> ids);
};

}  // namespace zol
