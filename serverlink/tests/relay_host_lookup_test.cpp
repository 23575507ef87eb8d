#include "serverlink/relay_host_lookup.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "serverlink/tests/fake_relay.h"

namespace zol {
namespace {

using namespace std::chrono_literals;
using testing::FakeResolver;

TEST(RelayHostLookupTest, InterruptEndsTheWaitAndHungLookupsAreCapped) {
    FakeResolver resolver;
    RelayHostLookup lookup(resolver.Function());
    EXPECT_EQ(lookup.Resolve("127.0.0.7"), htonl(0x7F000007));
    EXPECT_EQ(lookup.Resolve("nowhere.test"), 0u);

    for (std::size_t i = 0; i < RelayHostLookup::kMaxRunningLookups; ++i) {
        resolver.slowEntered.ResetEvent();
        auto waiting =
            std::async(std::launch::async, [&] { return lookup.Resolve(FakeResolver::kSlowHost); });
        ASSERT_TRUE(resolver.slowEntered.Wait(10s));
        lookup.Interrupt();
        EXPECT_EQ(waiting.get(), 0u);
        EXPECT_EQ(lookup.Resolve(FakeResolver::kSlowHost), 0u);  // refused while interrupted
        lookup.Resume();
    }
    EXPECT_EQ(resolver.slowLookups.load(), static_cast<int>(RelayHostLookup::kMaxRunningLookups));

    // With that many lookups hanging the next one is refused, not queued.
    auto refused =
        std::async(std::launch::async, [&] { return lookup.Resolve(FakeResolver::kSlowHost); });
    const bool refusedAtOnce = refused.wait_for(10s) == std::future_status::ready;
    resolver.release.Set();
    EXPECT_TRUE(refusedAtOnce);
    EXPECT_EQ(refused.get(), 0u);

    // Once they have finished they make room again.
    std::uint32_t address = 0;
    for (int tries = 0; tries < 1000 && address == 0; ++tries) {
        address = lookup.Resolve(FakeResolver::kSlowHost);
        if (address == 0)
            std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(address, htonl(0x7F000005));
}

}  // namespace
}  // namespace zol
