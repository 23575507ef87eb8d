#include "client/core/connection_watch.h"

#include <algorithm>

namespace zol {

using namespace std::chrono_literals;

ConnectionWatch::ConnectionWatch(const PublishedWatchSettings& settings, ConnectionWatchHooks hooks,
                                 ConnectionWatchTiming timing)
    : settings_(settings), hooks_(std::move(hooks)), timing_(timing) {}

ConnectionWatch::~ConnectionWatch() {
    Stop();
}

void ConnectionWatch::Start() {
    if (thread_.joinable() || stop_.load())
        return;
    thread_ = std::thread(&ConnectionWatch::Run, this);
}

void ConnectionWatch::Stop() {
    stop_.store(true);
    stopEvent_.Set();
    if (!thread_.joinable())
        return;
    // A ping may have been sent just after a wake found nothing to wake, so
    // wake again until the task has ended.
    while (!ended_.Wait(50ms)) {
        if (pinging_.load())
            hooks_.wakePing();
    }
    thread_.join();
}

std::chrono::milliseconds ConnectionWatch::Interval(std::int32_t count,
                                                    std::chrono::milliseconds unit) const {
    // In 64 bits: a huge setting waits long rather than wrapping round.
    const std::chrono::milliseconds wanted = std::max<std::int64_t>(count, 0) * unit;
    return std::max(wanted, timing_.pass);
}

void ConnectionWatch::Run() {
    WatchSettings last = settings_.Snapshot();
    Clock::time_point nextPing = Clock::now() + Interval(last.keepAliveTime, timing_.keepAliveUnit);
    Clock::time_point nextReconnect =
        Clock::now() + Interval(last.autoReconnectTime, timing_.reconnectUnit);
    bool armed = true;

    while (!stop_.load()) {
        const Clock::time_point passStart = Clock::now();
        const WatchSettings s = settings_.Snapshot();
        if (s.keepAliveTime != last.keepAliveTime)
            nextPing = passStart + Interval(s.keepAliveTime, timing_.keepAliveUnit);
        if (s.autoReconnectTime != last.autoReconnectTime)
            nextReconnect = passStart + Interval(s.autoReconnectTime, timing_.reconnectUnit);
        last = s;

        // Never negative: the event reads that as "no limit".
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            passStart + timing_.pass - Clock::now());
        stopEvent_.Wait(std::max(left, std::chrono::milliseconds(0)));
        if (stop_.load())
            break;
        if (hooks_.connecting())
            continue;

        if (s.keepAliveEnable != 0 && Clock::now() >= nextPing) {
            if (hooks_.everConnected() && hooks_.connected()) {
                pinging_.store(true);
                if (!stop_.load())
                    hooks_.ping(s.keepAliveTime);
                pinging_.store(false);
            }
            nextPing = Clock::now() + Interval(s.keepAliveTime, timing_.keepAliveUnit);
        }

        if (s.autoReconnect == 0 || !hooks_.everConnected())
            continue;
        if (hooks_.connected()) {
            armed = true;
        } else if (armed) {
            armed = false;
            hooks_.postReconnect();
            nextReconnect = Clock::now() + Interval(s.autoReconnectTime, timing_.reconnectUnit);
        } else if (Clock::now() >= nextReconnect) {
            hooks_.postReconnect();
            nextReconnect = Clock::now() + Interval(s.autoReconnectTime, timing_.reconnectUnit);
        }
    }
    ended_.Set();
}

}  // namespace zol
