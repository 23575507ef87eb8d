#include "client/display/qt_timer_clock.h"

#include <QTimer>

#include <algorithm>
#include <limits>

namespace zol {

QtTimerClock::QtTimerClock() = default;
QtTimerClock::~QtTimerClock() = default;

Clock::TimePoint QtTimerClock::Now() const {
    return std::chrono::system_clock::now();
}

void QtTimerClock::StartOneShot(int timerId, std::chrono::milliseconds delay, Callback onTimeout) {
    Start(timerId, delay, true, std::move(onTimeout));
}

void QtTimerClock::StartPeriodic(int timerId, std::chrono::milliseconds period,
                                 Callback onTimeout) {
    Start(timerId, period, false, std::move(onTimeout));
}

void QtTimerClock::Stop(int timerId) {
    auto it = timers_.find(timerId);
    if (it != timers_.end())
        it->second->stop();
}

void QtTimerClock::Start(int timerId, std::chrono::milliseconds interval, bool singleShot,
                         Callback onTimeout) {
    std::unique_ptr<QTimer>& timer = timers_[timerId];
    if (!timer)
        timer = std::make_unique<QTimer>();
    timer->stop();
    QObject::disconnect(timer.get(), nullptr, nullptr, nullptr);
    timer->setSingleShot(singleShot);
    // QTimer takes an int of milliseconds.
    const auto ms = std::clamp<std::int64_t>(interval.count(), 0, std::numeric_limits<int>::max());
    timer->setInterval(static_cast<int>(ms));
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(),
                     [callback = std::move(onTimeout)] { callback(); });
    timer->start();
}

std::unique_ptr<Clock> MakeWindowClock(const std::function<std::unique_ptr<Clock>()>& factory) {
    if (factory)
        return factory();
    return std::make_unique<QtTimerClock>();
}

}  // namespace zol
