// Which window a tile record gets: the class of its tile type, with the
// type's window name.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zol {

class CTileWindow;
class CZOLClientView;
struct DisplayRecord;
struct TileRecord;

// "Blank", "HTML", "Icons", ... ; null for a type without a class.
const char* TileWindowName(std::int32_t tileType);

// A new tile window, child of `view`, for the record at `index` of
// `display`; null for a type without a class, and for an icon tile whose
// source display the design lacks.
CTileWindow* CreateTileWindow(CZOLClientView& view, const DisplayRecord& display, std::size_t index,
                              const TileRecord& record);

}  // namespace zol
