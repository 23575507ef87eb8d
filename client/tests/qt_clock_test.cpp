// The GUI's real clock on the event loop: timers that restart or stop
// themselves from their own callbacks, and a clock that goes with timers
// still pending.
#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "client/core/qt_clock.h"

namespace zol {
namespace {

using namespace std::chrono_literals;

// Turns the event loop until `done` or a generous limit.
bool TurnUntil(const std::function<bool()>& done) {
    QDeadlineTimer limit(10'000);
    while (!done() && !limit.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    return done();
}

TEST(QtClockTest, TimersRestartAndStopThemselvesFromTheirCallbacks) {
    QtClock clock;
    int shots = 0;
    std::function<void()> again = [&] {
        if (++shots < 3)
            clock.StartOneShot(7, 1ms, again);  // the same id, from its own callback
    };
    clock.StartOneShot(7, 1ms, again);
    int ticks = 0;
    clock.StartPeriodic(8, 1ms, [&] {
        if (++ticks == 2)
            clock.Stop(8);
    });
    clock.Stop(99);  // never started: nothing happens
    ASSERT_TRUE(TurnUntil([&] { return shots == 3 && ticks == 2; }));
    // Nothing fires after the last restart and the stop.
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(shots, 3);
    EXPECT_EQ(ticks, 2);
}

TEST(QtClockTest, AWindowClockThatGoesTakesItsTimersWithIt) {
    int fired = 0;
    std::unique_ptr<Clock> clock = MakeWindowClock({});
    clock->StartOneShot(1, 1ms, [&] { ++fired; });
    clock->StartPeriodic(2, 1ms, [&] { ++fired; });
    clock.reset();
    QDeadlineTimer quiet(50);
    while (!quiet.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(fired, 0);
}

}  // namespace
}  // namespace zol
