// TileRecord: one tile of a display (created by the display loading, owned
// by its DisplayRecord), with the data of its type.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>

#include "client/model/log_font.h"

namespace zol {

class CTileWindow;

enum TileType : std::int32_t {
    TileBlank = 0,
    TileHtml = 1,
    TileIcons = 2,
    TileImage = 3,
    TilePower = 4,
    TileText = 5,
    TileMeter = 6,
    TileAlert = 7,
    TileStatus = 8,
};

// Blank, alert and status tiles (and types without a class) carry one
// number that nothing reads.
struct PlainTileData {
    std::int32_t unused = 0;

    bool operator==(const PlainTileData&) const = default;
};

struct HtmlTileData {
    std::int32_t useOwnUrl = 0;
    std::int32_t htmlDisplayId = 0;
    std::string ownUrl;

    bool operator==(const HtmlTileData&) const = default;
};

struct IconsTileData {
    std::int32_t customSpacing = 0;
    std::int32_t spacingX = 0;
    std::int32_t spacingY = 0;
    std::int32_t mruMode = 0;
    std::array<std::int32_t, 4> mruNumbers{};  // the four most-recently-used numbers
    std::int32_t sourceDisplayId = 0;

    bool operator==(const IconsTileData&) const = default;
};

struct ImageTileData {
    std::string imageName;
    std::int32_t fitToTile = 0;
    std::int32_t fetchOnce = 0;
    std::int32_t fetched = 0;

    bool operator==(const ImageTileData&) const = default;
};

struct PowerTileData {
    std::int32_t displayId = 0;

    bool operator==(const PowerTileData&) const = default;
};

struct TextTileData {
    std::string text;
    LogFont font;
    std::int32_t autoFit = 0;
    std::int32_t alignment = 0;

    bool operator==(const TextTileData&) const = default;
};

struct MeterTileData {
    std::int32_t maxWatts = 0;
    std::int32_t fixedMax = 0;

    bool operator==(const MeterTileData&) const = default;
};

using TileData = std::variant<PlainTileData, HtmlTileData, IconsTileData, ImageTileData,
                              PowerTileData, TextTileData, MeterTileData>;

// The data a tile of `tileType` starts with.
TileData DefaultTileData(std::int32_t tileType);

struct TileRecord {
    std::int32_t tileType = TileBlank;
    std::int32_t tileId = 0;  // 100 for the client-made whole-display tile
    std::string tileName;     // "TileUpdate" pushes address tiles by it
    std::string label;        // raw label, may hold server placeholders
    std::int32_t gridX = 0;   // quarter cells
    std::int32_t gridY = 0;
    std::int32_t gridWidth = 0;
    std::int32_t gridHeight = 0;
    std::int32_t tileStyle = 0;  // 1 extend right, 2 extend down, 3 both
    std::int32_t backColor = 0;  // 0x00BBGGRR
    std::int32_t labelColor = 0;
    std::int32_t tapAction = 0;  // 0 none, 1 go to a display, 2 start a program, 3 both
    std::int32_t tapDisplayId = 0;
    std::int32_t tapProgramId = 0;
    std::int32_t holdAction = 0;
    std::int32_t holdDisplayId = 0;
    std::int32_t holdProgramId = 0;
    std::int32_t refreshInterval = 0;   // 0: no refresh
    std::int32_t refreshInSeconds = 0;  // non-zero: seconds, else minutes
    std::int32_t refreshMode = 0;
    std::int32_t refreshProgramId = 0;
    std::int32_t cornerMode = 0;  // 1 square, 2 rounded, other: the client setting
    TileData typeData;
    // Set while the tile is shown; the window clears both when it goes.
    CTileWindow* window = nullptr;
    std::uintptr_t windowHandle = 0;

    bool operator==(const TileRecord&) const = default;

    template <typename T>
    T* DataAs() {
        return std::get_if<T>(&typeData);
    }
    template <typename T>
    const T* DataAs() const {
        return std::get_if<T>(&typeData);
    }
};

}  // namespace zol
