#include "platform/published_value.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace zol {
namespace {

// Every field of one update carries the same number, so a reader that saw
// parts of two updates would find them differing.
struct Update {
    int first = 0;
    std::string middle;
    int last = 0;
};

// Texts of changing length, so that an update may reallocate.
std::string TextOf(int n) {
    return std::string(static_cast<std::size_t>(n % 64), static_cast<char>('a' + n % 26));
}

TEST(Published, ReadersSeeWholeUpdatesWhileAnotherThreadPublishes) {
    Published<Update> published;
    constexpr int kUpdates = 20000;
    std::atomic<bool> torn{false};
    std::atomic<bool> done{false};
    std::thread reader([&] {
        int lastSeen = 0;
        while (!done.load()) {
            const Update u = published.Snapshot();
            if (u.first != u.last || u.middle != TextOf(u.first) || u.first < lastSeen)
                torn = true;
            lastSeen = u.first;
        }
    });
    for (int i = 1; i <= kUpdates; ++i)
        published.Publish({i, TextOf(i), i});
    done = true;
    reader.join();
    EXPECT_FALSE(torn.load());
    EXPECT_EQ(published.Snapshot().first, kUpdates);
}

}  // namespace
}  // namespace zol
