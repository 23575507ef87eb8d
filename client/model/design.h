// Design: the client's copy of the server's design, owned by the document
// for the life of the process and emptied before every reload. Windows,
// tiles and pop-ups keep ids, not pointers, and look records up here, so a
// reload never leaves them holding a freed record.
//
// Thread-safety: none; read and written on the user-interface thread only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "client/model/design_object.h"
#include "client/model/display_record.h"

namespace zol {

inline constexpr int kMaxHomeModeNames = 4;
inline constexpr int kMaxSchedules = 4;

using ObjectList = std::vector<std::unique_ptr<DesignObject>>;
using DisplayList = std::vector<std::unique_ptr<DisplayRecord>>;

struct Design {
    ObjectList objects;              // in reply order
    DisplayList displays;            // in reply order, the home page included
    std::int32_t homeModeCount = 0;  // names the server reported; may exceed 4
    std::array<std::string, kMaxHomeModeNames> homeModeNames;
    std::int32_t scheduleCount = 0;  // 0 to 4
    std::array<std::string, kMaxSchedules> scheduleNames;
    std::array<std::int32_t, kMaxSchedules> scheduleNumbers{};
    std::string loadedDesignName;  // of the last "TimeStamp" reply
    std::string loadedDesignTime;
    std::string designTitle;

    // The first record with that id, or nullptr. Looked up in an index of
    // the ids, made again when `objects` changed size or storage or was
    // emptied by Clear (records are only ever appended, or all emptied):
    // views ask for every tile's object, pushes for theirs, and a house has
    // thousands.
    DesignObject* FindObject(std::int32_t objectId) const;
    DisplayRecord* FindDisplay(std::int32_t displayId) const;
    // The first display of that name, ignoring case, or nullptr.
    DisplayRecord* FindDisplayByName(std::string_view name) const;
    // The display marked as home, or nullptr.
    DisplayRecord* HomeDisplay() const;

    // Moves `list` to the end of the displays.
    void AppendDisplays(DisplayList&& list);
    // Frees every object and display before a reload. The names, the
    // schedules and the loaded design's name stay until they are read again.
    void Clear();

  private:
    void IndexObjects() const;

    // Every record's id and position, in id order; of records with the same
    // id, the first comes first.
    mutable std::vector<std::pair<std::int32_t, std::size_t>> objectIndex_;
    mutable const void* indexedStorage_ = nullptr;
    mutable std::size_t indexedCount_ = 0;
};

}  // namespace zol
