// Stand-ins for the GUI's side of the model's seams: they record what the
// model asked for, and the clock moves only when a test advances it.
#pragma once

#include <chrono>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "client/model/clock.h"
#include "client/model/launcher.h"
#include "client/model/user_reporter.h"

namespace zol::testing {

class FakeReporter : public UserReporter {
  public:
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    int ShowAlert(AlertKind kind, std::string_view text) override {
        alerts.emplace_back(kind, std::string(text));
        return 1;
    }
    void BeginWaitCursor() override { ++waitDepth; }
    void EndWaitCursor() override { --waitDepth; }

    std::vector<std::string> messages;
    std::vector<std::pair<AlertKind, std::string>> alerts;
    int waitDepth = 0;
};

class FakeLauncher : public Launcher {
  public:
    bool StartMessagePopup(std::string_view argument) override {
        started.push_back("zolmsg " + std::string(argument));
        return succeed;
    }
    bool StartProgram(std::string_view program, std::string_view arguments) override {
        started.push_back(std::string(program) + " " + std::string(arguments));
        return succeed;
    }
    bool OpenFile(std::string_view path) override {
        started.push_back("open " + std::string(path));
        return succeed;
    }

    std::vector<std::string> started;
    bool succeed = true;
};

class FakeClock : public Clock {
  public:
    TimePoint Now() const override { return now_; }
    void StartOneShot(int timerId, std::chrono::milliseconds delay, Callback onTimeout) override {
        timers_[timerId] = Timer{now_ + delay, std::chrono::milliseconds(0), std::move(onTimeout)};
    }
    void StartPeriodic(int timerId, std::chrono::milliseconds period, Callback onTimeout) override {
        timers_[timerId] = Timer{now_ + period, period, std::move(onTimeout)};
    }
    void Stop(int timerId) override { timers_.erase(timerId); }
    bool Running(int timerId) const { return timers_.count(timerId) != 0; }

    // Moves time on, firing every timer that falls due on the way, in order.
    void Advance(std::chrono::milliseconds step) {
        const TimePoint end = now_ + step;
        while (true) {
            auto next = timers_.end();
            for (auto it = timers_.begin(); it != timers_.end(); ++it) {
                if (it->second.due <= end &&
                    (next == timers_.end() || it->second.due < next->second.due))
                    next = it;
            }
            if (next == timers_.end())
                break;
            now_ = next->second.due;
            Callback callback = next->second.onTimeout;
            if (next->second.period.count() > 0)
                next->second.due += next->second.period;
            else
                timers_.erase(next);
            callback();  // may start or stop timers
        }
        now_ = end;
    }

  private:
    struct Timer {
        TimePoint due;
        std::chrono::milliseconds period;
        Callback onTimeout;
    };
    TimePoint now_{std::chrono::hours(24 * 365 * 50)};
    std::map<int, Timer> timers_;
};

}  // namespace zol::testing
