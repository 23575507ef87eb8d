#include "client/event_loop_gap_watch.h"

#include <algorithm>

namespace zol {

EventLoopGapWatch::EventLoopGapWatch() {
    tick_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick_, &QTimer::timeout, [this] {
        longestGapMs_ = std::max(longestGapMs_, sinceTick_.restart());
        if (onTick_)
            onTick_();
    });
}

void EventLoopGapWatch::Start(std::function<void()> onTick) {
    onTick_ = std::move(onTick);
    longestGapMs_ = 0;
    sinceTick_.start();
    tick_.start(kTickMs);
}

void EventLoopGapWatch::Stop() {
    tick_.stop();
}

}  // namespace zol
