#include "serverlink/socket_set.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/socket_errors.h"
#include "serverlink/tests/fake_server.h"

namespace zol {
namespace {

using test::FakeConnection;
using test::FakeServer;
using namespace std::chrono_literals;

const std::uint32_t kLoopback = htonl(0x7F000001);

// Steps the set until the connect event has come.
SocketEvents StepUntilConnected(SocketSet& set) {
    SocketEvents events;
    do {
        events = set.ProcessEvents();
    } while (events.result == 0 && (events.eventMask & kEventConnect) == 0);
    return events;
}

TEST(SocketSet, RefusedConnectReportsTheErrorThenAnEmptySet) {
    SocketSet set;
    ASSERT_EQ(set.Connect(kLoopback, FakeServer::UnusedPort()), 0);
    SocketEvents events = StepUntilConnected(set);
    EXPECT_EQ(events.result, kWsaEConnRefused);
    EXPECT_NE(events.eventMask & kEventConnect, 0);
    EXPECT_EQ(set.ProcessEvents().result, kWsaENotConn);
    EXPECT_EQ(set.State(), LinkState::Empty);
}

TEST(SocketSet, SecondConnectIsRefusedAndChangesNothing) {
    FakeServer server([](FakeConnection& connection) { connection.WaitForClose(5s); });
    SocketSet set;
    ASSERT_EQ(set.Connect(kLoopback, server.Port()), 0);
    EXPECT_EQ(set.Send(0, "x"), kWsaENotConn);  // not completed yet
    EXPECT_EQ(set.Connect(kLoopback, server.Port()), kWsaEIsConn);
    EXPECT_EQ(set.SlotCount(), 1u);
    SocketEvents events = StepUntilConnected(set);
    EXPECT_EQ(events.result, 0);
    EXPECT_EQ(set.State(), LinkState::Connected);
    EXPECT_EQ(set.Send(events.socket + 1000, "x"), kErrorInvalidParameter);
}

TEST(SocketSet, OrderlyCloseGivesTheCloseBitThenTheSlotGoes) {
    FakeServer server([](FakeConnection& connection) {
        connection.Write("bye");
        connection.Close();
    });
    SocketSet set;
    ASSERT_EQ(set.Connect(kLoopback, server.Port()), 0);
    SocketEvents events = StepUntilConnected(set);
    ASSERT_EQ(events.result, 0);
    std::string received;
    for (;;) {
        events = set.ProcessEvents();
        ASSERT_EQ(events.result, 0);
        if (events.received) {
            set.ConsumeReceived(events.socket, [&](std::string_view bytes) {
                received.append(bytes);
                return bytes.size();
            });
        }
        if ((events.eventMask & kEventClose) != 0) {
            break;
        }
    }
    EXPECT_EQ(received, "bye");
    EXPECT_TRUE(set.OpenSockets().empty());
    EXPECT_EQ(set.Send(events.socket, "x"), kWsaEShutdown);
    EXPECT_EQ(set.ProcessEvents().result, kWsaENotConn);
}

TEST(SocketSet, PartialSendKeepsTheRestAndRefusesNewBytesUntilItWent) {
    const std::string big(16 << 20, 'b');
    std::atomic<bool> startReading{false};
    std::atomic<bool> done{false};
    std::string arrived;
    FakeServer server([&](FakeConnection& connection) {
        while (!startReading.load()) {
            std::this_thread::sleep_for(5ms);
        }
        connection.ReadExactly(big.size() + 5, arrived, 20s);
        done.store(true);
    });
    SocketSet set;
    ASSERT_EQ(set.Connect(kLoopback, server.Port()), 0);
    int socket = StepUntilConnected(set).socket;

    EXPECT_EQ(set.Send(socket, big), kWsaEWouldBlock);
    EXPECT_EQ(set.Send(socket, "later"), kErrorIoPending);
    startReading.store(true);
    std::size_t written = 0;
    int result = kErrorIoPending;
    while (result == kErrorIoPending) {
        SocketEvents events = set.ProcessEvents();
        ASSERT_EQ(events.result, 0);
        written += events.bytesSent;
        result = set.Send(socket, "later");
    }
    EXPECT_EQ(result, 0);
    EXPECT_GT(written, 0u);
    for (int i = 0; i < 2000 && !done.load(); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_TRUE(done.load());
    EXPECT_TRUE(arrived == big + "later");
}

// The event thread waits without time-out on a quiet connection; senders on
// other threads still get the set at once, every time.
TEST(SocketSet, SendersAreNotStarvedByTheWaitingEventThread) {
    constexpr int kMessages = 200;
    std::string arrived;
    std::atomic<bool> done{false};
    FakeServer server([&](FakeConnection& connection) {
        connection.ReadExactly(kMessages * 5, arrived, 20s);
        done.store(true);
    });
    SocketSet set;
    ASSERT_EQ(set.Connect(kLoopback, server.Port()), 0);
    int socket = StepUntilConnected(set).socket;
    std::atomic<bool> stop{false};
    std::thread eventThread([&] {
        while (!stop.load() && set.ProcessEvents().result != kWsaENotConn) {
        }
    });
    int failedSends = 0;
    for (int i = 0; i < kMessages; ++i) {
        failedSends += set.Send(socket, "hello") != 0 ? 1 : 0;
    }
    EXPECT_EQ(failedSends, 0);
    for (int i = 0; i < 2000 && !done.load(); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    stop.store(true);
    set.CloseAll();
    eventThread.join();
    ASSERT_TRUE(done.load());
    EXPECT_EQ(arrived.size(), kMessages * 5u);
}

TEST(SocketSet, WaitTimeoutGives1460) {
    FakeServer server([](FakeConnection& connection) { connection.WaitForClose(5s); });
    SocketSet set;
    ASSERT_EQ(set.Connect(kLoopback, server.Port()), 0);
    StepUntilConnected(set);
    set.SetWaitTimeout(20ms);
    // No thread was waiting when the time-out changed: nothing is left
    // behind to cut the next wait short.
    EXPECT_EQ(set.ProcessEvents().result, kErrorTimeout);
}

}  // namespace
}  // namespace zol
