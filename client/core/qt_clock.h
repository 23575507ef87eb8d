// The real clock of the GUI: the system time and one QTimer per timer id,
// run on the event loop of the thread that made the clock.
//
// Thread-safety: the thread that owns it (the user-interface thread).
#pragma once

#include <QObject>

#include <functional>
#include <map>
#include <memory>

#include "client/model/clock.h"

class QTimer;

namespace zol {

class QtClock : public QObject, public Clock {
  public:
    explicit QtClock(QObject* parent = nullptr);
    ~QtClock() override;

    TimePoint Now() const override;
    void StartOneShot(int timerId, std::chrono::milliseconds delay, Callback onTimeout) override;
    void StartPeriodic(int timerId, std::chrono::milliseconds period, Callback onTimeout) override;
    void Stop(int timerId) override;

  private:
    void Start(int timerId, std::chrono::milliseconds interval, bool singleShot,
               Callback onTimeout);

    std::map<int, QTimer*> timers_;
};

// The clock of one window: `factory`'s when it is set (tests drive time
// themselves), else a QtClock whose timers die with the window.
std::unique_ptr<Clock> MakeWindowClock(const std::function<std::unique_ptr<Clock>()>& factory);

}  // namespace zol
