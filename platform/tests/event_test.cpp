#include "platform/event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace zol {

TEST(Event, ManualResetStaysSetForEveryWaiterUntilReset) {
    Event e(Event::Reset::Manual);
    EXPECT_FALSE(e.Wait(1ms));
    e.Set();
    EXPECT_TRUE(e.Wait(0ms));
    EXPECT_TRUE(e.Wait(0ms));
    e.ResetEvent();
    EXPECT_FALSE(e.Wait(1ms));
}

TEST(Event, AutoResetReleasesOneWaiterThenClears) {
    Event e(Event::Reset::Auto, true);
    EXPECT_TRUE(e.Wait(0ms));
    EXPECT_FALSE(e.Wait(1ms));
}

TEST(Event, SetWakesBlockedWaitersFromOtherThreads) {
    Event go(Event::Reset::Manual);
    std::atomic<int> woke{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 4; ++i) {
        waiters.emplace_back([&] {
            if (go.Wait(10s))
                ++woke;
        });
    }
    go.Set();
    for (auto& t : waiters)
        t.join();
    EXPECT_EQ(woke, 4);
}

TEST(Event, AutoResetSetsAreNotLostAcrossThreads) {
    Event e(Event::Reset::Auto);
    std::atomic<int> woke{0};
    std::thread a([&] {
        if (e.Wait(10s))
            ++woke;
    });
    std::thread b([&] {
        if (e.Wait(10s))
            ++woke;
    });
    e.Set();
    // Only one waiter may pass per Set; the second needs a second Set.
    while (woke.load() == 0)
        std::this_thread::yield();
    EXPECT_EQ(woke.load(), 1);
    e.Set();
    a.join();
    b.join();
    EXPECT_EQ(woke, 2);
}

}  // namespace zol
