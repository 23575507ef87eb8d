#include "serverlink/server_link.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "serverlink/field_list.h"
#include "serverlink/link_observer.h"
#include "serverlink/tests/fake_server.h"

namespace zol {
namespace {

using test::FakeConnection;
using test::FakeServer;
using namespace std::chrono_literals;

class RecordingObserver : public LinkObserver {
  public:
    void OnUnsolicitedFrame(std::string_view frame) override {
        std::lock_guard lock(mutex);
        pushes.emplace_back(frame);
        pushCount.store(pushes.size());
    }
    void OnConnectionLost(std::string_view reason) override {
        std::lock_guard lock(mutex);
        losses.emplace_back(reason);
        pushesBeforeLoss.push_back(pushCount.load());
    }
    void OnMessageSent(std::string_view) override { ++sent; }
    void OnFrameReceived(std::string_view) override { ++received; }

    std::vector<std::string> Pushes() {
        std::lock_guard lock(mutex);
        return pushes;
    }
    std::vector<std::string> Losses() {
        std::lock_guard lock(mutex);
        return losses;
    }
    // Waits (generously) until `count` pushes arrived.
    bool WaitForPushes(std::size_t count, std::chrono::milliseconds timeout = 30s) {
        auto deadline = std::chrono::steady_clock::now() + timeout;
        while (pushCount.load() < count) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(2ms);
        }
        return true;
    }

    std::mutex mutex;
    std::vector<std::string> pushes;
    std::vector<std::string> losses;
    std::vector<std::size_t> pushesBeforeLoss;
    std::atomic<std::size_t> pushCount{0};
    std::atomic<int> sent{0};
    std::atomic<int> received{0};
};

std::string Reply(std::string_view code, std::string_view object, std::string_view method) {
    return FieldList{code, object, method}.Message();
}

std::string Request(std::string_view object, std::string_view method) {
    return FieldList{object, method, "1"}.Message();
}

class ServerLinkTest : public ::testing::Test {
  protected:
    ServerLinkTest() {
        // Generous where success is expected: the machine may be busy.
        timeouts.serverConnectTimeout = 10;
        timeouts.serverSendTimeout = 10;
        timeouts.serverReplyTimeout = 10;
        timeouts.taskTerminateWaitTime = 10;
        timeouts.decodeTimeout = 10;
        link.SetObserver(&observer);
    }

    void Open(const FakeServer& server) {
        ASSERT_EQ(link.OpenServerConnection(server.Target()), 0);
    }

    int Send(std::string_view message, std::string& reply, std::int32_t& code) {
        return link.SendRequest(message, code, reply);
    }

    bool WaitUntilDisconnected() {
        for (int i = 0; i < 500 && link.IsConnected(); ++i) {
            std::this_thread::sleep_for(10ms);
        }
        return !link.IsConnected();
    }

    LinkTimeouts timeouts;
    RecordingObserver observer;
    ServerLink link{timeouts};
};

TEST_F(ServerLinkTest, NotConnectedFailsAtOnceAndRefusedConnectGives6) {
    timeouts.serverReplyTimeout = 600;
    std::string reply;
    std::int32_t code = 0;
    EXPECT_EQ(Send(Request("ZOLApp", "Ping"), reply, code), kRequestNotSent);
    ServerTarget target = FakeServer([](FakeConnection&) {}).Target();
    target.port = FakeServer::UnusedPort();
    EXPECT_EQ(link.OpenServerConnection(target), kOpenTimedOut);
    EXPECT_FALSE(link.ConnectionOpened());
    EXPECT_TRUE(observer.Losses().empty());  // never connected, nothing lost
}

TEST_F(ServerLinkTest, RepliesInOneSegmentOrInPiecesArePairedAndStrangersArePushed) {
    FakeServer server([](FakeConnection& connection) {
        std::string a, b, c;
        connection.ReadMessage(a);
        connection.ReadMessage(b);
        // Both replies in one segment, in the opposite order, with a push between.
        connection.Write(Reply("0", "ZOLObject", "Second") + FieldList{"Notify", "1"}.Message() +
                         Reply("-2", "ZOLApp", "First"));
        connection.ReadMessage(c);
        // A reply in pieces: first exactly sixteen of its bytes, then one byte
        // per millisecond, then the rest; then a reply nobody asked for.
        const std::string third = Reply("0", "ZOLApp", "ThirdWithALongerName");
        connection.Write(third.substr(0, 16));
        std::this_thread::sleep_for(20ms);
        connection.WriteSlowly(third.substr(16, 10), 1ms);
        connection.Write(third.substr(26) + Reply("0", "ZOLApp", "NobodyAsked"));
        connection.WaitForClose(10s);
    });
    Open(server);
    auto first = std::async(std::launch::async, [&] {
        std::string reply;
        std::int32_t code = 0;
        int error = Send(Request("ZOLApp", "First"), reply, code);
        return std::make_tuple(error, code, reply);
    });
    std::this_thread::sleep_for(50ms);
    std::string reply;
    std::int32_t code = 5;
    EXPECT_EQ(Send(Request("ZOLApp", "Second"), reply, code), 0);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(reply, Reply("0", "ZOLObject", "Second"));
    EXPECT_EQ(first.get(), std::make_tuple(0, -2, Reply("-2", "ZOLApp", "First")));

    EXPECT_EQ(Send(Request("ZOLApp", "ThirdWithALongerName"), reply, code), 0);
    EXPECT_EQ(reply, Reply("0", "ZOLApp", "ThirdWithALongerName"));
    ASSERT_TRUE(observer.WaitForPushes(2));
    EXPECT_EQ(observer.Pushes(), (std::vector<std::string>{FieldList{"Notify", "1"}.Message(),
                                                           Reply("0", "ZOLApp", "NobodyAsked")}));
    EXPECT_EQ(observer.sent.load(), 3);
    EXPECT_EQ(observer.received.load(), 5);
}

TEST_F(ServerLinkTest, GreetingReplyAndAFieldListInOneSegmentAreCutApart) {
    const std::string push = FieldList{"Notify", "Mode", "Away"}.Message();
    const std::string sixteenBytePush = FieldList{"Pushed!!"}.Message();
    FakeServer server([&](FakeConnection& connection) {
        std::string greeting;
        connection.ReadExactly(16, greeting);
        connection.Write(std::string(test::kAcceptingGreeting) + push + sixteenBytePush);
        connection.WaitForClose(10s);
    });
    Open(server);
    std::string reply;
    std::int32_t code = 0;
    EXPECT_EQ(Send("ZOL000F002000001", reply, code), 0);
    EXPECT_EQ(reply, test::kAcceptingGreeting);
    // A field list of exactly sixteen bytes that no request takes is a push too.
    ASSERT_EQ(sixteenBytePush.size(), 16u);
    ASSERT_TRUE(observer.WaitForPushes(2));
    EXPECT_EQ(observer.Pushes(), (std::vector<std::string>{push, sixteenBytePush}));
}

// Pushes that arrive faster than they are handled wait in the socket instead
// of being dropped when the stream buffer is full.
class SlowObserver : public RecordingObserver {
  public:
    void OnUnsolicitedFrame(std::string_view frame) override {
        if (pushCount.load() == 0) {
            std::this_thread::sleep_for(300ms);
        }
        RecordingObserver::OnUnsolicitedFrame(frame);
    }
};

TEST_F(ServerLinkTest, ASlowReaderLosesNothingWhenTheStreamBufferIsFull) {
    SlowObserver slow;
    link.SetObserver(&slow);
    constexpr int kPushes = 20000;
    auto push = [](int i) {
        return FieldList{"Notify", std::to_string(i), std::string(90, 'q')}.Message();
    };
    FakeServer server([&](FakeConnection& connection) {
        std::string all;
        for (int i = 0; i < kPushes; ++i) {
            all += push(i);
        }
        connection.Write(all);  // about 2 MB in one go
        connection.WaitForClose(60s);
    });
    Open(server);
    ASSERT_TRUE(slow.WaitForPushes(kPushes, 60s));
    auto pushes = slow.Pushes();
    int mismatches = 0;
    for (int i = 0; i < kPushes; ++i) {
        mismatches += pushes[static_cast<std::size_t>(i)] != push(i) ? 1 : 0;
    }
    EXPECT_EQ(mismatches, 0);
    link.CloseServerConnection();
    link.SetObserver(&observer);
}

TEST_F(ServerLinkTest, BareResultCodeCompletesTheOldestSentRequest) {
    FakeServer server([](FakeConnection& connection) {
        std::string older, newer;
        connection.ReadMessage(older);
        connection.ReadMessage(newer);
        connection.Write(FieldList{"-31"}.Message());
        connection.Write(Reply("0", "ZOLApp", "Newer"));
        connection.WaitForClose(10s);
    });
    Open(server);
    auto older = std::async(std::launch::async, [&] {
        std::string reply;
        std::int32_t code = 0;
        int error = Send(Request("ZOLApp", "Older"), reply, code);
        return std::make_pair(error, code);
    });
    std::this_thread::sleep_for(50ms);
    std::string reply;
    std::int32_t code = 0;
    EXPECT_EQ(Send(Request("ZOLApp", "Newer"), reply, code), 0);
    EXPECT_EQ(older.get(), std::make_pair(0, -31));
}

TEST_F(ServerLinkTest, SilenceHalfFramesAndGarbageEndInTheReplyTimeout) {
    timeouts.serverReplyTimeout = 1;
    FakeServer server([](FakeConnection& connection) {
        std::string request;
        connection.ReadMessage(request);  // never answered
        connection.ReadMessage(request);
        connection.Write("no header terminator here");
        connection.ReadMessage(request);
        connection.Write(Reply("0", "ZOLApp", "Half").substr(0, 12));
        connection.WaitForClose(10s);
    });
    Open(server);
    std::string reply;
    std::int32_t code = 0;
    for (std::string_view method : {"Silent", "Garbage", "Half"}) {
        EXPECT_EQ(Send(Request("ZOLApp", method), reply, code), kRequestNoReply) << method;
    }
    auto started = std::chrono::steady_clock::now();
    link.CloseServerConnection();
    // Closing does not sit out the decode or terminate time-outs.
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    EXPECT_EQ(link.AbandonedThreads(), 0);
}

TEST_F(ServerLinkTest, ServerCloseFailsTheNextRequestAtOnce) {
    timeouts.serverReplyTimeout = 600;
    FakeServer server([](FakeConnection& connection) {
        std::string request;
        connection.ReadMessage(request);
        connection.Write(Reply("0", "ZOLApp", "Last"));
    });
    Open(server);
    std::string reply;
    std::int32_t code = 0;
    EXPECT_EQ(Send(Request("ZOLApp", "Last"), reply, code), 0);
    ASSERT_TRUE(WaitUntilDisconnected());
    EXPECT_EQ(Send(Request("ZOLApp", "Ping"), reply, code), kRequestNotSent);
    EXPECT_EQ(observer.Losses(), std::vector<std::string>{""});
}

TEST_F(ServerLinkTest, ResetInTheMiddleOfAReplyEndsInTheReplyTimeout) {
    timeouts.serverReplyTimeout = 1;
    FakeServer server([](FakeConnection& connection) {
        std::string request;
        connection.ReadMessage(request);
        connection.Write(Reply("0", "ZOLApp", "Reset").substr(0, 10));
        linger abort{1, 0};  // close with a reset
        setsockopt(connection.Socket(), SOL_SOCKET, SO_LINGER, &abort, sizeof(abort));
        connection.Close();
    });
    Open(server);
    std::string reply;
    std::int32_t code = 0;
    EXPECT_EQ(Send(Request("ZOLApp", "Reset"), reply, code), kRequestNoReply);
    ASSERT_TRUE(WaitUntilDisconnected());
    EXPECT_EQ(observer.Losses().size(), 1u);
    EXPECT_EQ(Send(Request("ZOLApp", "Reset"), reply, code), kRequestNotSent);
}

// Messages that meet a socket still busy with earlier bytes wait for it
// instead of being dropped.
TEST_F(ServerLinkTest, RequestsQueuedBehindAFullSocketAllGoOut) {
    constexpr int kRequests = 400;
    const std::string padding(9000, 'z');
    std::atomic<int> arrived{0};
    FakeServer server([&](FakeConnection& connection) {
        std::this_thread::sleep_for(300ms);  // let the socket fill up
        std::string request;
        while (arrived.load() < kRequests && connection.ReadMessage(request, 10s)) {
            ++arrived;
        }
        connection.WaitForClose(10s);
    });
    Open(server);
    int failed = 0;
    for (int i = 0; i < kRequests; ++i) {
        std::string reply;
        std::int32_t code = 0;
        std::string request = FieldList{"ZOLApp", "Bulk", std::to_string(i), padding}.Message();
        failed += link.SendRequest(request, code, reply, true) != 0 ? 1 : 0;
    }
    EXPECT_EQ(failed, 0);
    for (int i = 0; i < 1000 && arrived.load() < kRequests; ++i) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(arrived.load(), kRequests);
}

// Frames before a bad header are delivered; nothing after it is, neither as
// a reply nor as a push, and the connection is dropped with a reason.
TEST_F(ServerLinkTest, BrokenFramingDropsTheConnectionWithAReason) {
    timeouts.serverReplyTimeout = 1;
    for (std::string_view bad : {"0000    ", "12ab    xxxx"}) {
        FakeServer server([&](FakeConnection& connection) {
            std::string first, second;
            connection.ReadMessage(first);
            connection.ReadMessage(second);
            connection.Write(Reply("0", "ZOLApp", "First") + std::string(bad) +
                             Reply("0", "ZOLApp", "Second") + FieldList{"Notify", "1"}.Message());
            connection.WaitForClose(10s);
        });
        observer.losses.clear();
        Open(server);
        auto first = std::async(std::launch::async, [&] {
            std::string reply;
            std::int32_t code = 0;
            return Send(Request("ZOLApp", "First"), reply, code);
        });
        std::string reply;
        std::int32_t code = 0;
        EXPECT_EQ(Send(Request("ZOLApp", "Second"), reply, code), kRequestNoReply) << bad;
        EXPECT_EQ(first.get(), kRequestOk) << bad;
        ASSERT_TRUE(WaitUntilDisconnected()) << bad;
        auto losses = observer.Losses();
        ASSERT_EQ(losses.size(), 1u) << bad;
        EXPECT_TRUE(losses[0].starts_with("Protocol error: ")) << losses[0];
        EXPECT_TRUE(observer.Pushes().empty()) << bad;
        link.CloseServerConnection();
    }
}

// A server that stops reading: a request that cannot be handed to the socket
// within ServerSendTimeout is reported as not sent (2), and then it never
// reaches the server, not even once the server reads again.
TEST_F(ServerLinkTest, ARequestReportedAsNotSentNeverArrives) {
    timeouts.serverSendTimeout = 1;
    std::atomic<bool> startReading{false};
    std::vector<std::string> arrived;
    std::promise<void> doneReading;
    FakeServer server([&](FakeConnection& connection) {
        while (!startReading.load() && !connection.Stopping()) {
            std::this_thread::sleep_for(5ms);
        }
        std::string request;
        while (connection.ReadMessage(request, 1500ms)) {
            arrived.push_back(request);
        }
        doneReading.set_value();
    });
    Open(server);
    const std::string padding(9000, 'z');
    int written = 0;
    std::string reply;
    std::int32_t code = 0;
    int result = 0;
    for (int i = 0; i < 5000 && result == 0; ++i) {
        result = link.SendRequest(FieldList{"ZOLApp", "Fill", std::to_string(i), padding}.Message(),
                                  code, reply, true);
        written += result == 0 ? 1 : 0;
    }
    ASSERT_EQ(result, kRequestNotSent) << "the socket never filled up";
    const std::string unlock = FieldList{"ZOLObject", "Door.Unlock", "Front Door"}.Message();
    EXPECT_EQ(link.SendRequest(unlock, code, reply), kRequestNotSent);
    EXPECT_EQ(link.SendRequest(unlock, code, reply, true), kRequestNotSent);

    startReading.store(true);
    doneReading.get_future().wait();
    link.CloseServerConnection();
    EXPECT_EQ(arrived.size(), static_cast<std::size_t>(written));
    for (const std::string& message : arrived) {
        EXPECT_EQ(message.find("Door.Unlock"), std::string::npos);
    }
    EXPECT_EQ(link.Requests().PendingCount(), 0u);
}

// A one-shot program's exchange needs no thread but the receive thread, and
// closing joins it even with a zero terminate wait, however soon the link
// is destroyed afterwards.
TEST_F(ServerLinkTest, OpenRequestCloseAndDeleteTwentyTimesWithAZeroTerminateWait) {
    timeouts.taskTerminateWaitTime = 0;
    FakeServer server([](FakeConnection& connection) {
        std::string request;
        if (connection.ReadMessage(request)) {
            connection.Write(Reply("0", "ZOLApp", "TimeStamp"));
        }
        connection.WaitForClose(10s);
    });
    for (int round = 0; round < 20; ++round) {
        auto own = std::make_unique<ServerLink>(timeouts);
        own->SetObserver(&observer);
        own->SetReceiveOnCaller(round % 2 == 1);
        ASSERT_EQ(own->OpenServerConnection(server.Target()), 0);
        std::string reply;
        std::int32_t code = 0;
        EXPECT_EQ(own->SendRequest(Request("ZOLApp", "TimeStamp"), code, reply), 0);
        EXPECT_FALSE(own->SendThreadStarted());
        own->CloseServerConnection();
        EXPECT_EQ(own->AbandonedThreads(), 0);
        own.reset();
    }
}

// Pushes still waiting in the socket when the server closes are all
// delivered, and the loss is reported once, after the last of them.
TEST_F(ServerLinkTest, BurstOfPushesThenTheServersCloseDeliversEveryFrameThenOneLoss) {
    SlowObserver slow;
    link.SetObserver(&slow);
    constexpr int kPushes = 3000;
    FakeServer server([&](FakeConnection& connection) {
        std::string all;
        for (int i = 0; i < kPushes; ++i) {
            all += FieldList{"Notify", std::to_string(i), std::string(200, 'b')}.Message();
        }
        connection.Write(all);
        connection.Close();
    });
    Open(server);
    ASSERT_TRUE(slow.WaitForPushes(kPushes, 60s));
    ASSERT_TRUE(WaitUntilDisconnected());
    std::lock_guard lock(slow.mutex);
    EXPECT_EQ(slow.losses, std::vector<std::string>{""});
    EXPECT_EQ(slow.pushesBeforeLoss, std::vector<std::size_t>{kPushes});
}

TEST_F(ServerLinkTest, AConnectThatNeverCompletesEndsAfterTheConnectTimeout) {
    timeouts.serverConnectTimeout = 1;
    // A listener whose backlog is full lets further connects hang unanswered.
    int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(listen(listener, 0), 0);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        int filler = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        connect(filler, reinterpret_cast<sockaddr*>(&address), length);
        fillers.push_back(filler);
    }
    ServerTarget target;
    target.address = address.sin_addr.s_addr;
    target.port = ntohs(address.sin_port);
    EXPECT_EQ(link.OpenServerConnection(target), kOpenTimedOut);
    EXPECT_FALSE(link.ConnectionOpened());
    EXPECT_FALSE(link.IsConnected());
    for (int filler : fillers) {
        close(filler);
    }
    close(listener);
}

// Closing while other threads wait in SendRequest: they get their time-out
// results, and nothing they queued goes out on the next connection.
TEST_F(ServerLinkTest, CloseWhileOtherThreadsWaitInSendRequest) {
    timeouts.serverSendTimeout = 1;
    timeouts.serverReplyTimeout = 1;
    std::atomic<int> secondServerMessages{0};
    FakeServer silent([](FakeConnection& connection) { connection.WaitForClose(30s); });
    Open(silent);
    const std::string padding(9000, 's');
    std::vector<std::future<int>> waiting;
    for (int t = 0; t < 6; ++t) {
        waiting.push_back(std::async(std::launch::async, [&, t] {
            int last = 0;
            for (int i = 0; i < 400 && last == 0; ++i) {
                std::string reply;
                std::int32_t code = 0;
                last = link.SendRequest(
                    FieldList{"ZOLApp", "Wait", std::to_string(t), padding}.Message(), code, reply,
                    i + 1 < 400);
            }
            return last;
        }));
    }
    std::this_thread::sleep_for(300ms);
    link.CloseServerConnection();
    for (auto& result : waiting) {
        int error = result.get();
        EXPECT_TRUE(error == kRequestNoReply || error == kRequestNotSent) << error;
    }
    FakeServer second([&](FakeConnection& connection) {
        std::string request;
        while (connection.ReadMessage(request, 1s)) {
            ++secondServerMessages;
            connection.Write(Reply("0", "ZOLApp", "Fresh"));
        }
    });
    Open(second);
    std::string reply;
    std::int32_t code = 0;
    EXPECT_EQ(Send(Request("ZOLApp", "Fresh"), reply, code), 0);
    link.CloseServerConnection();
    EXPECT_EQ(secondServerMessages.load(), 1);
    EXPECT_EQ(link.AbandonedThreads(), 0);
}

TEST_F(ServerLinkTest, ConcurrentRequestsFromEightThreadsArePairedCorrectly) {
    constexpr int kThreads = 8;
    constexpr int kPerThread = 1000;
    FakeServer server([](FakeConnection& connection) {
        // Answer whatever has arrived in one segment, newest first, so that
        // replies come out of order.
        std::vector<std::string> batch;
        std::string request;
        while (!connection.PeerClosed() && !connection.Stopping()) {
            if (connection.ReadMessage(request, 2ms)) {
                std::vector<FieldValue> fields;
                DecodeFieldList(request, fields);
                batch.push_back(Reply(fields[2].text, fields[0].text, fields[1].text));
                continue;
            }
            std::string segment;
            for (auto it = batch.rbegin(); it != batch.rend(); ++it) {
                segment += *it;
            }
            connection.Write(segment);
            batch.clear();
        }
    });
    timeouts.serverReplyTimeout = 30;
    Open(server);
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kPerThread; ++i) {
                std::string method = "M" + std::to_string(t) + "_" + std::to_string(i);
                std::string code = std::to_string(i);
                std::string reply;
                std::int32_t resultCode = 0;
                int error = link.SendRequest(FieldList{"ZOLApp", method, code}.Message(),
                                             resultCode, reply);
                if (error != 0 || reply != Reply(code, "ZOLApp", method)) {
                    if (wrong.fetch_add(1) == 0) {
                        ADD_FAILURE()
                            << "error " << error << " reply " << reply << " for " << method;
                    }
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(link.Requests().PendingCount(), 0u);
}

TEST_F(ServerLinkTest, BurstOfPushesArrivesCompleteAndInOrder) {
    constexpr int kPushes = 100000;
    auto push = [](int i) {
        return FieldList{"Notify", std::to_string(i),
                         std::string(static_cast<std::size_t>(i * 37 % 400), 'p')}
            .Message();
    };
    FakeServer server([&](FakeConnection& connection) {
        std::string chunk;
        for (int i = 0; i < kPushes; ++i) {
            chunk += push(i);
            if (chunk.size() > 200000 || i + 1 == kPushes) {
                connection.Write(chunk);
                chunk.clear();
            }
        }
        connection.WaitForClose(60s);
    });
    Open(server);
    ASSERT_TRUE(observer.WaitForPushes(kPushes, 90s));
    auto pushes = observer.Pushes();
    int mismatches = 0;
    for (int i = 0; i < kPushes; ++i) {
        mismatches += pushes[static_cast<std::size_t>(i)] != push(i) ? 1 : 0;
    }
    EXPECT_EQ(mismatches, 0);
}

// While callers receive, the receive thread pauses and the waiting callers
// receive, one at a time, for each other: replies pair as before, and pushes
// and the server's close are seen while anyone waits. Switched back, the
// receive thread delivers a push that nobody waits for.
TEST_F(ServerLinkTest, CallersReceiveForEachOtherWhileTheReceiveThreadPauses) {
    FakeServer server([](FakeConnection& connection) {
        std::string request;
        while (connection.ReadMessage(request, 5s)) {
            std::vector<FieldValue> fields;
            DecodeFieldList(request, fields);
            if (fields[1].text == "Last") {
                connection.Write(FieldList{"Notify", "bye"}.Message());
                connection.Close();
                return;
            }
            connection.Write(Reply(fields[2].text, fields[0].text, fields[1].text));
            if (fields[1].text == "PushLater") {
                std::this_thread::sleep_for(50ms);
                connection.Write(FieldList{"Notify", "later"}.Message());
            }
        }
    });
    timeouts.serverReplyTimeout = 1;
    Open(server);
    link.SetReceiveOnCaller(true);
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 100; ++i) {
                std::string method = "M" + std::to_string(t) + "_" + std::to_string(i);
                std::string reply;
                std::int32_t code = 0;
                int error = link.SendRequest(
                    FieldList{"ZOLApp", method, std::to_string(i)}.Message(), code, reply);
                wrong += error != 0 || reply != Reply(std::to_string(i), "ZOLApp", method) ? 1 : 0;
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong.load(), 0);

    link.SetReceiveOnCaller(false);
    std::string reply;
    std::int32_t code = 0;
    EXPECT_EQ(Send(FieldList{"ZOLApp", "PushLater", "0"}.Message(), reply, code), 0);
    ASSERT_TRUE(observer.WaitForPushes(1));

    link.SetReceiveOnCaller(true);
    EXPECT_EQ(Send(Request("ZOLApp", "Last"), reply, code), kRequestNoReply);
    EXPECT_FALSE(link.IsConnected());
    const std::vector<std::string> pushes{FieldList{"Notify", "later"}.Message(),
                                          FieldList{"Notify", "bye"}.Message()};
    EXPECT_EQ(observer.Pushes(), pushes);
    EXPECT_EQ(observer.Losses(), std::vector<std::string>{""});
}

// Closing down wakes a caller that waits for a reply while it receives
// itself, not only one that waits for the receive thread.
TEST_F(ServerLinkTest, WakingTheWaitersEndsAWaitOfACallerWhoReceives) {
    FakeServer server([](FakeConnection& connection) {
        std::string request;
        connection.ReadMessage(request);
        connection.WaitForClose(30s);
    });
    timeouts.serverReplyTimeout = 60;
    link.SetReceiveOnCaller(true);
    Open(server);
    auto waiting = std::async(std::launch::async, [&] {
        std::string reply;
        std::int32_t code = 0;
        return Send(Request("ZOLApp", "Silence"), reply, code);
    });
    std::this_thread::sleep_for(100ms);
    link.Requests().WakeWaiters();
    ASSERT_EQ(waiting.wait_for(20s), std::future_status::ready);
    EXPECT_NE(waiting.get(), 0);
}

// One link starts the exchange, another of the process goes on with it: the
// taker's repeated requests are answered from the record without reaching
// the server again, and a request that differs from the record ends the
// connection rather than mixing two exchanges.
TEST_F(ServerLinkTest, AHandedOverConnectionGoesOnWhereTheGiverStopped) {
    std::mutex seenMutex;
    std::vector<std::string> seen;
    auto echo = [&](FakeConnection& connection) {
        std::string request;
        while (connection.ReadMessage(request, 5s)) {
            std::vector<FieldValue> fields;
            DecodeFieldList(request, fields);
            {
                std::lock_guard lock(seenMutex);
                seen.push_back(fields[1].text);
            }
            std::string answer = Reply("0", fields[0].text, fields[1].text);
            if (fields[1].text == "B")
                answer += FieldList{"Notify", "after B"}.Message();
            connection.Write(answer);
        }
    };
    auto give = [&](const FakeServer& server) {
        // On the heap: std::mutex tells ThreadSanitizer nothing when it
        // ends, and a link on the stack reuses the mutex addresses of links
        // earlier tests made there, in other roles (a lock-order report).
        auto giver = std::make_unique<ServerLink>(timeouts);
        giver->RecordForHandOver(true);
        giver->SetReceiveOnCaller(true);
        EXPECT_EQ(giver->OpenServerConnection(server.Target()), 0);
        std::string reply;
        std::int32_t code = 0;
        EXPECT_EQ(giver->SendRequest(Request("ZOLApp", "A"), code, reply), 0);
        EXPECT_EQ(giver->SendRequest(Request("ZOLApp", "B"), code, reply), 0);
        std::optional<HandedOverConnection> handed = giver->HandOverConnection();
        EXPECT_FALSE(giver->IsConnected());
        return handed;
    };

    FakeServer server(echo);
    std::optional<HandedOverConnection> handed = give(server);
    ASSERT_TRUE(handed.has_value());
    ASSERT_EQ(handed->record.size(), 4u);
    EXPECT_EQ(handed->record[2].bytes, Request("ZOLApp", "B"));
    link.OfferConnection(std::move(*handed));
    link.SetReceiveOnCaller(true);
    Open(server);
    EXPECT_TRUE(link.TookOfferedConnection());
    std::string reply;
    std::int32_t code = 0;
    for (const char* method : {"A", "B", "C"}) {
        EXPECT_EQ(Send(Request("ZOLApp", method), reply, code), 0);
        EXPECT_EQ(reply, Reply("0", "ZOLApp", method));
    }
    const std::vector<std::string> pushes{FieldList{"Notify", "after B"}.Message()};
    EXPECT_EQ(observer.Pushes(), pushes);
    {
        std::lock_guard lock(seenMutex);
        EXPECT_EQ(seen, (std::vector<std::string>{"A", "B", "C"}));
    }
    link.CloseServerConnection();

    FakeServer other(echo);
    handed = give(other);
    ASSERT_TRUE(handed.has_value());
    link.OfferConnection(std::move(*handed));
    ASSERT_EQ(link.OpenServerConnection(other.Target()), 0);
    // Like any refused write, it ends in the reply time-out.
    timeouts.serverReplyTimeout = 1;
    EXPECT_NE(Send(Request("ZOLApp", "X"), reply, code), 0);
    EXPECT_FALSE(link.IsConnected());
    std::this_thread::sleep_for(50ms);
    std::lock_guard lock(seenMutex);
    EXPECT_EQ(seen, (std::vector<std::string>{"A", "B", "C", "A", "B"}));
}

}  // namespace
}  // namespace zol
