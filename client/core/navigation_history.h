// NavigationHistory: the displays the main frame went through. Slot 0 is
// the home display; up to 15 more follow; the top is the slot at the count.
// Back drops the top, home drops all but slot 0; a display asked for while
// all 15 slots are taken is ignored.
#pragma once

#include <array>
#include <cstdint>

namespace zol {

inline constexpr int kMaxHistoryDisplays = 15;

class NavigationHistory {
  public:
    // Empties the history with `homeId` in slot 0.
    void Reset(std::int32_t homeId) {
        slots_[0] = homeId;
        count_ = 0;
    }
    // Keeps slot 0, forgets the rest.
    void Clear() { count_ = 0; }
    // False (and nothing changes) when the history is full.
    bool Push(std::int32_t displayId) {
        if (count_ >= kMaxHistoryDisplays)
            return false;
        slots_[static_cast<std::size_t>(++count_)] = displayId;
        return true;
    }
    // Drops the top; false when only the home is left.
    bool Back() {
        if (count_ == 0)
            return false;
        --count_;
        return true;
    }

    int Count() const { return count_; }
    std::int32_t Home() const { return slots_[0]; }
    std::int32_t Top() const { return slots_[static_cast<std::size_t>(count_)]; }

  private:
    std::array<std::int32_t, kMaxHistoryDisplays + 1> slots_{};
    int count_ = 0;
};

}  // namespace zol
