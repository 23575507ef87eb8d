#include "client/core/connection_watch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace zol {
namespace {

using namespace std::chrono_literals;

// Waits (generously) until `done` holds.
template <typename F>
bool Eventually(F done) {
    for (int i = 0; i < 2000 && !done(); ++i)
        std::this_thread::sleep_for(5ms);
    return done();
}

class WatchTest : public ::testing::Test {
  protected:
    WatchTest() {
        Publish(1, 1, 1, 3);
        hooks_.everConnected = [this] { return everConnected_.load(); };
        hooks_.connecting = [this] { return connecting_.load(); };
        hooks_.connected = [this] { return connected_.load(); };
        hooks_.ping = [this](std::int32_t) {
            ++pings_;
            if (blockPing_)
                pingWoken_.Wait();
        };
        hooks_.wakePing = [this] { pingWoken_.Set(); };
        hooks_.postReconnect = [this] { ++reconnects_; };
    }

    void Publish(int keepAliveEnable, int keepAlive, int autoReconnect, int reconnectTime) {
        settings_.Publish({keepAliveEnable, keepAlive, autoReconnect, reconnectTime});
    }

    // Passes of 10 ms; a keep-alive unit of 20 ms, a reconnect unit of 50 ms.
    ConnectionWatchTiming timing_{10ms, 20ms, 50ms};
    PublishedWatchSettings settings_;
    ConnectionWatchHooks hooks_;
    std::atomic<bool> everConnected_{false};
    std::atomic<bool> connecting_{false};
    std::atomic<bool> connected_{false};
    std::atomic<int> pings_{0};
    std::atomic<int> reconnects_{0};
    bool blockPing_ = false;
    Event pingWoken_{Event::Reset::Manual};
};

TEST_F(WatchTest, NothingBeforeTheFirstConnectionThenPingsWhileConnected) {
    ConnectionWatch watch(settings_, hooks_, timing_);
    watch.Start();
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(pings_.load(), 0);
    EXPECT_EQ(reconnects_.load(), 0);

    // No ping while a connect runs: it would pair with the handshake.
    connecting_ = true;
    everConnected_ = true;
    connected_ = true;
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(pings_.load(), 0);
    connecting_ = false;
    EXPECT_TRUE(Eventually([&] { return pings_.load() >= 3; }));
    watch.Stop();
    EXPECT_FALSE(watch.Running());
}

TEST_F(WatchTest, ADropAsksForAReconnectAtOnceThenEveryReconnectTime) {
    everConnected_ = true;
    connected_ = true;
    Publish(0, 1, 1, 4);  // every 200 ms
    ConnectionWatch watch(settings_, hooks_, timing_);
    watch.Start();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(reconnects_.load(), 0);
    connected_ = false;
    EXPECT_TRUE(Eventually([&] { return reconnects_.load() == 1; }));
    EXPECT_TRUE(Eventually([&] { return reconnects_.load() >= 3; }));
    EXPECT_EQ(pings_.load(), 0);  // KeepAliveEnable off
}

TEST_F(WatchTest, NoReconnectWithAutoReconnectOff) {
    everConnected_ = true;
    Publish(1, 1, 0, 1);
    ConnectionWatch watch(settings_, hooks_, timing_);
    watch.Start();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(reconnects_.load(), 0);
    EXPECT_EQ(pings_.load(), 0);  // not connected: no ping either
}

// A ping that waits on a dead connection is woken by stopping; the task is
// joined, not left behind.
TEST_F(WatchTest, StoppingWakesAPingInProgress) {
    everConnected_ = true;
    connected_ = true;
    blockPing_ = true;
    ConnectionWatch watch(settings_, hooks_, timing_);
    watch.Start();
    ASSERT_TRUE(Eventually([&] { return pings_.load() == 1; }));
    watch.Stop();
    EXPECT_TRUE(pingWoken_.IsSet());
    EXPECT_FALSE(watch.Running());
    watch.Start();  // stopped for good
    EXPECT_FALSE(watch.Running());
}

}  // namespace
}  // namespace zol
