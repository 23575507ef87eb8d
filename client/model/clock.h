// Time for the model: the current time and timers by id. The GUI runs the
// timers on its event loop; tests advance a fake clock by hand, so nothing
// in a test waits for real time.
#pragma once

#include <chrono>
#include <functional>

namespace zol {

class Clock {
  public:
    using TimePoint = std::chrono::system_clock::time_point;
    using Callback = std::function<void()>;

    virtual ~Clock() = default;

    virtual TimePoint Now() const = 0;
    // Starting an id that runs already restarts it with the new settings.
    // The callback runs on the thread that owns the clock (the GUI thread).
    virtual void StartOneShot(int timerId, std::chrono::milliseconds delay, Callback onTimeout) = 0;
    virtual void StartPeriodic(int timerId, std::chrono::milliseconds period,
                               Callback onTimeout) = 0;
    // Stopping a timer that does not run does nothing.
    virtual void Stop(int timerId) = 0;
};

}  // namespace zol
