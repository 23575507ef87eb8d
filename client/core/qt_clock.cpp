#include "client/core/qt_clock.h"

#include <QTimer>

#include <algorithm>
#include <limits>

namespace zol {

QtClock::QtClock(QObject* parent) : QObject(parent) {}

QtClock::~QtClock() = default;

Clock::TimePoint QtClock::Now() const {
    return std::chrono::system_clock::now();
}

void QtClock::StartOneShot(int timerId, std::chrono::milliseconds delay, Callback onTimeout) {
    Start(timerId, delay, true, std::move(onTimeout));
}

void QtClock::StartPeriodic(int timerId, std::chrono::milliseconds period, Callback onTimeout) {
    Start(timerId, period, false, std::move(onTimeout));
}

void QtClock::Start(int timerId, std::chrono::milliseconds interval, bool singleShot,
                    Callback onTimeout) {
    Stop(timerId);
    auto* timer = new QTimer(this);
    timer->setSingleShot(singleShot);
    // QTimer takes an int of milliseconds: longer waits are cut to the longest it runs.
    const auto limit = std::chrono::milliseconds(std::numeric_limits<int>::max());
    timer->setInterval(std::clamp(interval, std::chrono::milliseconds(0), limit));
    timers_[timerId] = timer;
    connect(timer, &QTimer::timeout, this, [this, timerId, singleShot, timer, onTimeout] {
        if (singleShot) {
            timers_.erase(timerId);
            timer->deleteLater();
        }
        // The callback may start or stop this id again; it holds its own copy.
        Callback run = onTimeout;
        run();
    });
    timer->start();
}

void QtClock::Stop(int timerId) {
    auto it = timers_.find(timerId);
    if (it == timers_.end())
        return;
    it->second->stop();
    it->second->deleteLater();
    timers_.erase(it);
}

std::unique_ptr<Clock> MakeWindowClock(const std::function<std::unique_ptr<Clock>()>& factory) {
    if (factory)
        return factory();
    return std::make_unique<QtClock>();
}

}  // namespace zol
