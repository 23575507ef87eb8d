#include "serverlink/request_engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>
#include <vector>

#include "serverlink/field_list.h"
#include "serverlink/link_observer.h"

namespace zol {
namespace {

using namespace std::chrono_literals;

// A transport without sockets: records what is queued; the test plays the
// send thread and the frame splitter.
class RecordingTransport : public RequestTransport {
  public:
    bool IsConnected() const override { return connected; }
    bool IsBinding() const override { return false; }
    bool AppendOutgoing(const std::shared_ptr<PendingRequest>& request,
                        std::uint32_t requestId) override {
        std::lock_guard lock(mutex);
        queued.emplace_back(requestId, request);
        return true;
    }
    void FlushOutgoing(std::uint32_t requestId) override {
        std::lock_guard lock(mutex);
        flushed.push_back(requestId);
    }
    void DropOutgoing(std::uint32_t requestId) override {
        std::lock_guard lock(mutex);
        dropped.push_back(requestId);
    }
    std::pair<std::uint32_t, std::shared_ptr<PendingRequest>> WaitForQueued(std::size_t index) {
        for (;;) {
            {
                std::lock_guard lock(mutex);
                if (queued.size() > index) {
                    return queued[index];
                }
            }
            std::this_thread::sleep_for(1ms);
        }
    }

    std::atomic<bool> connected{true};
    std::mutex mutex;
    std::vector<std::pair<std::uint32_t, std::shared_ptr<PendingRequest>>> queued;
    std::vector<std::uint32_t> dropped;
    std::vector<std::uint32_t> flushed;
};

// Plays the writer: the first byte goes out, then the attempt is over.
void Write(RequestEngine& engine, std::uint32_t id, PendingRequest& request) {
    ASSERT_TRUE(RequestEngine::ClaimForWire(request));
    engine.MarkSent(id);
}

class PingCounter : public LinkObserver {
  public:
    void OnMissedPingLimit(int missed) override { limitReports.push_back(missed); }
    std::vector<int> limitReports;
};

std::shared_ptr<PendingRequest> Request(std::string object, std::string method) {
    auto request = std::make_shared<PendingRequest>();
    request->objectName = std::move(object);
    request->methodName = std::move(method);
    return request;
}

std::string Reply(std::string_view code, std::string_view object, std::string_view method) {
    return FieldList{code, object, method}.Message();
}

class MatchReplyTest : public ::testing::Test {
  protected:
    std::uint32_t AddSent(const std::shared_ptr<PendingRequest>& request) {
        std::uint32_t id = engine.Enqueue(request);
        Write(engine, id, *request);
        return id;
    }

    LinkTimeouts timeouts;
    RecordingTransport transport;
    RequestEngine engine{transport, timeouts};
};

TEST_F(MatchReplyTest, PairsByObjectAndMethodNameWithZolObjectAnsweringZolApp) {
    auto design = Request("ZOLApp", "GetDesign");
    auto status = Request("ZOLApp", "GetServerStatus");
    auto device = Request("ZOLObject", "Device.SetState");
    AddSent(design);
    AddSent(status);
    AddSent(device);

    EXPECT_TRUE(engine.MatchReply(Reply("-3", "ZOLObject", "GetServerStatus"), false));
    EXPECT_TRUE(status->replyEvent.IsSet());
    EXPECT_EQ(status->resultCode, -3);
    // A ZOLObject request is not answered by ZOLApp, nor are names compared loosely.
    EXPECT_FALSE(engine.MatchReply(Reply("0", "ZOLApp", "Device.SetState"), false));
    EXPECT_FALSE(engine.MatchReply(Reply("0", "ZOLApp", "getdesign"), false));
    EXPECT_TRUE(engine.MatchReply(Reply("0", "ZOLObject", "Device.SetState"), false));
    EXPECT_TRUE(engine.MatchReply(Reply("0", "ZOLApp", "GetDesign"), false));
    EXPECT_EQ(design->reply, Reply("0", "ZOLApp", "GetDesign"));
    EXPECT_EQ(engine.PendingCount(), 0u);
}

TEST_F(MatchReplyTest, BareCodesAndGreetingsCompleteTheOldestSentRequestOnly) {
    auto unsent = Request("ZOLApp", "Ping");
    engine.Enqueue(unsent);
    auto first = Request("ZOLApp", "Ping");
    auto second = Request("ZOLApp", "Ping");
    AddSent(first);
    AddSent(second);

    EXPECT_TRUE(engine.MatchReply(FieldList{"7"}.Message(), false));
    EXPECT_TRUE(first->replyEvent.IsSet());
    EXPECT_EQ(first->resultCode, 7);
    EXPECT_TRUE(engine.MatchReply("ZOL030x014002007", false));
    EXPECT_TRUE(second->replyEvent.IsSet());
    EXPECT_FALSE(unsent->replyEvent.IsSet());
    EXPECT_FALSE(engine.MatchReply(FieldList{"0"}.Message(), false));  // only the unsent one left
}

TEST_F(MatchReplyTest, OtherShapesAreNotTaken) {
    AddSent(Request("ZOLApp", "Ping"));
    EXPECT_FALSE(engine.MatchReply("garbage", false));
    EXPECT_FALSE(engine.MatchReply(FieldList{"0", "ZOLApp"}.Message(), false));
    EXPECT_FALSE(engine.MatchReply(FieldList{"Notify", "ZOLApp", "Ping"}.Message(), false));
    EXPECT_FALSE(engine.MatchReply(FieldList{"text"}.Message(), false));
    EXPECT_TRUE(engine.MatchReply("anything while binding", true));
}

TEST(SendRequest, FailsAtOnceWhenNotConnectedOrNotDecodable) {
    LinkTimeouts timeouts;
    timeouts.serverSendTimeout = 60;
    timeouts.serverReplyTimeout = 60;
    RecordingTransport transport;
    RequestEngine engine(transport, timeouts);
    std::int32_t code = 99;
    std::string reply = "old";
    EXPECT_EQ(engine.SendRequest("not a field list", code, reply), kRequestNotDecodable);
    EXPECT_EQ(reply, "");
    transport.connected = false;
    EXPECT_EQ(engine.SendRequest(FieldList{"ZOLApp", "Ping", "5"}.Message(), code, reply),
              kRequestNotSent);
    EXPECT_TRUE(transport.queued.empty());
}

TEST(SendRequest, ReturnsTheReplyUpToItsFirstZeroByteAndCountsMissedPings) {
    LinkTimeouts timeouts;
    timeouts.serverSendTimeout = 1;
    timeouts.serverReplyTimeout = 1;
    timeouts.missedPingBeforeDisconnect = 2;
    RecordingTransport transport;
    PingCounter observer;
    RequestEngine engine(transport, timeouts);
    engine.SetObserver(&observer);
    const std::string ping = FieldList{"ZOLApp", "Ping", "5"}.Message();
    std::int32_t code = 0;
    std::string reply;

    // Never taken by the send thread: 2; sent but never answered: 1.
    EXPECT_EQ(engine.SendRequest(ping, code, reply), kRequestNotSent);
    auto unanswered =
        std::async(std::launch::async, [&] { return engine.SendRequest(ping, code, reply); });
    auto [id1, request1] = transport.WaitForQueued(1);
    Write(engine, id1, *request1);
    EXPECT_EQ(unanswered.get(), kRequestNoReply);
    EXPECT_EQ(engine.MissedPings(), 2);
    EXPECT_EQ(observer.limitReports, std::vector<int>{2});
    EXPECT_EQ(engine.PendingCount(), 0u);

    auto answered =
        std::async(std::launch::async, [&] { return engine.SendRequest(ping, code, reply); });
    auto [id2, request2] = transport.WaitForQueued(2);
    Write(engine, id2, *request2);
    std::string withZero = Reply("0", "ZOLApp", "Ping") + std::string(1, '\0') + "tail";
    ASSERT_TRUE(engine.MatchReply(withZero, false));
    EXPECT_EQ(answered.get(), kRequestOk);
    EXPECT_EQ(reply, Reply("0", "ZOLApp", "Ping"));
    EXPECT_EQ(engine.MissedPings(), 0);

    auto noWait =
        std::async(std::launch::async, [&] { return engine.SendRequest(ping, code, reply, true); });
    auto [id3, request3] = transport.WaitForQueued(3);
    Write(engine, id3, *request3);
    EXPECT_EQ(noWait.get(), kRequestOk);
    EXPECT_EQ(reply, "");
    EXPECT_EQ(engine.PendingCount(), 0u);
}

// A batch goes out whole, in one write, before any reply is waited for;
// replies of the same names pair in order, and an entry that cannot be
// sent fails alone. The handler sees each entry once it has ended, until
// it declines; the rest still end.
TEST(SendRequest, ABatchIsSentWholeAndEachEntryGetsItsOwnReply) {
    LinkTimeouts timeouts;
    timeouts.serverSendTimeout = 5;
    timeouts.serverReplyTimeout = 5;
    RecordingTransport transport;
    RequestEngine engine(transport, timeouts);
    std::vector<BatchedRequest> batch(4);
    for (int i = 0; i < 4; ++i)
        batch[i].message =
            FieldList{"ZOLApp", "GetDisplayTilesEx", "D" + std::to_string(i), "0"}.Message();
    batch[2].message = "not a field list";
    std::vector<std::size_t> handed;
    const auto onReply = [&](std::size_t i) {
        EXPECT_TRUE(i == 2 || !batch[i].reply.empty()) << i;
        handed.push_back(i);
        return i < 2;
    };
    auto sent = std::async(std::launch::async, [&] { engine.SendRequests(batch, onReply); });
    std::vector<std::pair<std::uint32_t, std::shared_ptr<PendingRequest>>> queued;
    for (std::size_t i = 0; i < 3; ++i)
        queued.push_back(transport.WaitForQueued(i));
    for (auto& [id, request] : queued)
        Write(engine, id, *request);
    for (const char* code : {"0", "1", "0"})
        ASSERT_TRUE(engine.MatchReply(Reply(code, "ZOLApp", "GetDisplayTilesEx"), false));
    sent.get();
    EXPECT_EQ(batch[0].error, kRequestOk);
    EXPECT_EQ(batch[0].resultCode, 0);
    EXPECT_EQ(batch[1].resultCode, 1);
    EXPECT_EQ(batch[2].error, kRequestNotDecodable);
    EXPECT_EQ(batch[3].error, kRequestOk);
    EXPECT_EQ(batch[3].reply, Reply("0", "ZOLApp", "GetDisplayTilesEx"));
    EXPECT_EQ(engine.PendingCount(), 0u);
    EXPECT_EQ(handed, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(transport.flushed, (std::vector<std::uint32_t>{queued.back().first}));
}

// Messages written together are claimed all or none: one withdrawn gives
// the claims back, so that its neighbours can still go one at a time.
TEST(SendRequest, MessagesWrittenTogetherAreClaimedAllOrNone) {
    std::vector<std::shared_ptr<PendingRequest>> owned;
    std::vector<PendingRequest*> run;
    for (int i = 0; i < 4; ++i)
        run.push_back(owned.emplace_back(Request("ZOLApp", "Ping")).get());
    run[1]->wire = WireState::Written;  // its first bytes went already
    run[2]->wire = WireState::Withdrawn;
    EXPECT_FALSE(RequestEngine::ClaimAllForWire(run));
    EXPECT_EQ(run[0]->wire.load(), WireState::Queued);
    EXPECT_EQ(run[1]->wire.load(), WireState::Written);
    EXPECT_EQ(run[3]->wire.load(), WireState::Queued);
    run.erase(run.begin() + 2);
    EXPECT_TRUE(RequestEngine::ClaimAllForWire(run));
    for (PendingRequest* request : run)
        EXPECT_EQ(request->wire.load(), WireState::Written);
}

// Closing wakes a ping that waits on a dead connection at once (it is not
// counted); misses from the limit on are each reported, and a new
// connection starts counting afresh.
TEST(SendRequest, WokenWaitersGiveUpUncountedAndMissesFromTheLimitOnAreReported) {
    LinkTimeouts timeouts;
    timeouts.serverSendTimeout = 600;
    timeouts.serverReplyTimeout = 600;
    timeouts.missedPingBeforeDisconnect = 1;
    RecordingTransport transport;
    PingCounter observer;
    RequestEngine engine(transport, timeouts);
    engine.SetObserver(&observer);
    const std::string ping = FieldList{"ZOLApp", "Ping", "5"}.Message();
    std::int32_t code = 0;
    std::string reply;

    auto waiting =
        std::async(std::launch::async, [&] { return engine.SendRequest(ping, code, reply); });
    auto [id, request] = transport.WaitForQueued(0);
    Write(engine, id, *request);
    engine.WakeWaiters();
    EXPECT_EQ(waiting.get(), kRequestNoReply);
    EXPECT_EQ(engine.MissedPings(), 0);
    EXPECT_EQ(engine.PendingCount(), 0u);

    // Never taken by a writer: each is a miss.
    timeouts.serverSendTimeout = 0;
    EXPECT_EQ(engine.SendRequest(ping, code, reply), kRequestNotSent);
    EXPECT_EQ(engine.SendRequest(ping, code, reply), kRequestNotSent);
    EXPECT_EQ(observer.limitReports, (std::vector<int>{1, 2}));
    engine.ResetMissedPings();
    EXPECT_EQ(engine.MissedPings(), 0);
}

// A request whose send wait runs out is withdrawn: no writer may start on it
// afterwards, and it leaves the queue. One that was partly written before
// the wait ran out is sent: its caller gets the reply wait's result.
TEST(SendRequest, NotSentMeansNeverWrittenAndPartlyWrittenMeansSent) {
    LinkTimeouts timeouts;
    timeouts.serverSendTimeout = 1;
    timeouts.serverReplyTimeout = 1;
    RecordingTransport transport;
    RequestEngine engine(transport, timeouts);
    const std::string unlock = FieldList{"ZOLObject", "Door.Unlock", "Front"}.Message();
    std::int32_t code = 0;
    std::string reply;

    EXPECT_EQ(engine.SendRequest(unlock, code, reply), kRequestNotSent);
    auto [withdrawnId, withdrawn] = transport.WaitForQueued(0);
    EXPECT_FALSE(RequestEngine::ClaimForWire(*withdrawn));
    EXPECT_EQ(transport.dropped, std::vector<std::uint32_t>{withdrawnId});

    auto partly =
        std::async(std::launch::async, [&] { return engine.SendRequest(unlock, code, reply); });
    auto [partlyId, partlyRequest] = transport.WaitForQueued(1);
    ASSERT_TRUE(RequestEngine::ClaimForWire(*partlyRequest));  // first bytes out, no MarkSent
    EXPECT_EQ(partly.get(), kRequestNoReply);
    EXPECT_EQ(transport.dropped.size(), 1u);
    // Nothing of an unwritten request is ever paired with a reply.
    auto queuedOnly = Request("ZOLObject", "Door.Unlock");
    engine.Enqueue(queuedOnly);
    EXPECT_FALSE(engine.MatchReply(Reply("0", "ZOLObject", "Door.Unlock"), false));
    EXPECT_EQ(engine.PendingCount(), 1u);
}

}  // namespace
}  // namespace zol
