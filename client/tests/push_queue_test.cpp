// Pushes taken in as they are delivered and applied in order, a slice per
// turn of the event loop.
#include "client/core/push_queue.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <string>
#include <vector>

#include "client/tests/started_client.h"

namespace zol {
namespace {

using Applied = std::vector<std::string>;

TEST(PushQueueTest, AppliesNothingOnDeliveryThenASliceAtATimeAndFlushesTheRest) {
    Applied applied;
    // A slice of 0 ms ends after its first push.
    PushQueue queue(
        [&](std::uint64_t generation, std::string_view frame) {
            applied.push_back(std::to_string(generation) + ":" + std::string(frame));
        },
        0);
    for (const char* frame : {"a", "b", "c", "d"})
        queue.Add(frame[0] < 'c' ? 1 : 2, frame);
    EXPECT_TRUE(applied.empty());
    queue.ApplySlice();
    EXPECT_EQ(applied, (Applied{"1:a"}));
    EXPECT_EQ(queue.Pending(), 3u);
    queue.Flush();
    EXPECT_EQ(applied, (Applied{"1:a", "1:b", "2:c", "2:d"}));
    EXPECT_EQ(queue.Pending(), 0u);
}

TEST(PushQueueTest, TheLoopAppliesEveryPushInOrderEvenWhenOneTurnsTheLoop) {
    Applied applied;
    PushQueue queue(
        [&](std::uint64_t, std::string_view frame) {
            applied.emplace_back(frame);
            // As a file fetch or a modal box would.
            if (frame == "b")
                QCoreApplication::processEvents();
        },
        0);
    for (const char* frame : {"a", "b", "c", "d", "e"})
        queue.Add(0, frame);
    ASSERT_TRUE(testing::StartedClient::RunUntil([&] { return queue.Pending() == 0; }));
    EXPECT_EQ(applied, (Applied{"a", "b", "c", "d", "e"}));
}

}  // namespace
}  // namespace zol
