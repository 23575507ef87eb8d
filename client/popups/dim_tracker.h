// DimTracker: turns the level slider's positions into dimming commands.
// Steps are computed from the last level sent, not from the object's level:
// that changes only when the server's push arrives, so two moves before it
// would otherwise both count from the old level. A change notification
// resets the base to the object's level.
#pragma once

#include <optional>

namespace zol {

struct DimStep {
    enum Kind { TurnOff, DimTo, DimUp, DimDown };
    Kind kind;
    int percent;
    bool operator==(const DimStep&) const = default;
};

class DimTracker {
  public:
    // `offBySlider` set: the first move dims to its position.
    DimTracker(int level, bool offBySlider) : last_(level), offBySlider_(offBySlider) {}

    // The object's level as a push reported it.
    void Reset(int level) { last_ = level; }
    // "ON" or "OFF" sent the load to `level`.
    void Switched(int level) { last_ = level; }
    // The command for a slider position chosen by the person; nullopt when it
    // is where the load already is.
    std::optional<DimStep> Move(int position);

    int Last() const { return last_; }
    bool OffBySlider() const { return offBySlider_; }

  private:
    int last_;
    bool offBySlider_;
};

}  // namespace zol
