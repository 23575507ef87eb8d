// The Clock of one window on Qt timers: one single-shot or periodic QTimer
// per timer id, owned by the clock, so a window's timers die with it.
#pragma once

#include <QObject>

#include <map>
#include <memory>

#include "client/model/clock.h"

class QTimer;

namespace zol {

class QtTimerClock : public Clock {
  public:
    QtTimerClock();
    ~QtTimerClock() override;

    TimePoint Now() const override;
    void StartOneShot(int timerId, std::chrono::milliseconds delay, Callback onTimeout) override;
    void StartPeriodic(int timerId, std::chrono::milliseconds period, Callback onTimeout) override;
    void Stop(int timerId) override;

  private:
    void Start(int timerId, std::chrono::milliseconds interval, bool singleShot,
               Callback onTimeout);

    std::map<int, std::unique_ptr<QTimer>> timers_;
};

// Makes a QtTimerClock, or uses `factory` when it is set.
std::unique_ptr<Clock> MakeWindowClock(const std::function<std::unique_ptr<Clock>()>& factory);

}  // namespace zol
