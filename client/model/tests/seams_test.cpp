// The seams the GUI fills in: the wait cursor guard, and the fake clock the
// model's timer tests will run on.
#include <gtest/gtest.h>

#include "model_fakes.h"

namespace zol {
namespace {

using namespace std::chrono_literals;

TEST(SeamsTest, WaitCursorLastsAsLongAsItsGuard) {
    testing::FakeReporter reporter;
    {
        WaitCursor outer(reporter);
        {
            WaitCursor inner(reporter);
            EXPECT_EQ(reporter.waitDepth, 2);
        }
        EXPECT_EQ(reporter.waitDepth, 1);
    }
    EXPECT_EQ(reporter.waitDepth, 0);
}

TEST(SeamsTest, FakeClockFiresTimersInTimeOrder) {
    testing::FakeClock clock;
    std::vector<std::string> fired;
    clock.StartPeriodic(10, 300ms, [&] { fired.push_back("tick"); });
    clock.StartOneShot(11, 500ms, [&] {
        fired.push_back("once");
        clock.Stop(10);
    });
    clock.Advance(2s);
    EXPECT_EQ(fired, (std::vector<std::string>{"tick", "once"}));
    EXPECT_FALSE(clock.Running(10));
    EXPECT_FALSE(clock.Running(11));
}

}  // namespace
}  // namespace zol
