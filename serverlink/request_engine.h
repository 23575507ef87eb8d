// The request engine: every conversation with the server is a request that
// blocks its caller until the reply came back or a time-out passed. Replies
// carry no request number; MatchReply pairs each received frame with the
// oldest sent request it answers:
//   - a greeting frame (16 bytes beginning with ZOL), or anything while the
//     relay binds the connection: the first sent request;
//   - a single numeric field (a bare result code): the first sent request;
//   - result code, object name, method name, ...: the first sent request with
//     the same object and method name ("ZOLApp" requests also take replies
//     from "ZOLObject").
// A request is paired only once a byte of it went to the socket, and a
// caller that gives up before that withdraws it: the server then never sees
// it, so "not sent" (2) is a promise, not a guess.
//
// Thread-safety: SendRequest may be called from any number of threads at
// once; whoever writes the message calls ClaimForWire and MarkSent, the
// receiving side MatchReply.
// Lock order: pending-list lock, then the transport's queue lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

#include "platform/event.h"
#include "serverlink/link_timeouts.h"

namespace zol {

class LinkObserver;

// SendRequest results (the server's own result code travels separately).
inline constexpr int kRequestOk = 0;
inline constexpr int kRequestNoReply = 1;        // sent, no reply in time
inline constexpr int kRequestNotSent = 2;        // not connected, or not sent in time
inline constexpr int kRequestNotDecodable = -1;  // neither greeting frame nor field list

// Where a request's bytes are: waiting in the queue, (partly) handed to the
// socket, or taken back by a caller that gave up before they went out.
enum class WireState { Queued, Written, Withdrawn };

struct PendingRequest {
    std::atomic<WireState> wire{WireState::Queued};
    Event sentEvent{Event::Reset::Auto};
    Event replyEvent{Event::Reset::Auto};
    std::string objectName;  // first field; empty for greeting and relay frames
    std::string methodName;  // second field
    std::string message;
    std::string reply;  // the whole reply frame, stored by MatchReply
    std::int32_t resultCode = 0;
    // Woken by WakeWaiters without a reply; the caller gives up on it.
    std::atomic<bool> abandoned{false};
};

// One request of a batch (RequestEngine::SendRequests) and what came back.
struct BatchedRequest {
    std::string message;
    int error = kRequestOk;  // as SendRequest's result
    std::int32_t resultCode = 0;
    std::string reply;  // up to its first zero byte
};

// Called with an entry's index once it has ended, in order, while the
// later replies are still coming; false: no more calls (the rest are still
// waited for).
using BatchReplyHandler = std::function<bool(std::size_t index)>;

struct PendingEntry {
    std::shared_ptr<PendingRequest> request;
    std::uint32_t requestId = 0;
};

// What the engine needs from the connection it runs on.
class RequestTransport {
  public:
    virtual ~RequestTransport() = default;
    virtual bool IsConnected() const = 0;
    virtual bool IsBinding() const = 0;
    // Appends the request's message to the send queue; called with the
    // pending-list lock held. False when the message cannot be queued.
    virtual bool AppendOutgoing(const std::shared_ptr<PendingRequest>& request,
                                std::uint32_t requestId) = 0;
    // Gets the queue on its way up to this request's message; called after
    // the lock is released.
    virtual void FlushOutgoing(std::uint32_t requestId) = 0;
    // Drops a withdrawn message from the queue (it may already be gone).
    virtual void DropOutgoing(std::uint32_t requestId) = 0;
    // Waits for one of a request's events; a transport whose callers do the
    // receiving themselves receives while it waits.
    virtual bool Await(Event& event, std::chrono::milliseconds timeout) {
        return event.Wait(timeout);
    }
    // Wakes a caller that receives while it waits, so that it looks at its
    // request's events again.
    virtual void WakeReceivingCaller() {}
};

class RequestEngine {
  public:
    RequestEngine(RequestTransport& transport, const LinkTimeouts& timeouts)
        : transport_(transport), timeouts_(timeouts) {}
    RequestEngine(const RequestEngine&) = delete;
    RequestEngine& operator=(const RequestEngine&) = delete;

    void SetObserver(LinkObserver* observer) { observer_ = observer; }

    // Sends one message and waits for its reply. `replyText` receives the
    // whole reply frame up to its first zero byte, `resultCode` the server's
    // result code. With `noWait` the call returns 0 once the message is sent.
    int SendRequest(std::string_view message, std::int32_t& resultCode, std::string& replyText,
                    bool noWait = false);

    // Sends every message of the batch without waiting in between, then
    // waits for their replies in order; each entry ends as SendRequest
    // would have left it. Replies pair with requests of the same names in
    // the order sent, so a server that answers in order answers each. For
    // runs of independent requests such as the tiles of many displays:
    // the server works on the next while the client reads the last, and
    // `onReply` (when set) takes each reply as soon as it is in.
    void SendRequests(std::span<BatchedRequest> batch, const BatchReplyHandler& onReply = {});

    // Registers a request as pending and queues its message; returns its id,
    // or 0 when the message could not be queued. The caller waits on
    // request->sentEvent / replyEvent and then calls Remove(id) (harmless
    // when a reply already took the entry). Used by SendRequest and by the
    // relay's binding message.
    std::uint32_t Enqueue(std::shared_ptr<PendingRequest> request);
    // The caller is done with the request; a message not yet written is
    // withdrawn and will never reach the server.
    void Remove(std::uint32_t requestId);

    // Writer, just before the first byte goes to the socket: false when the
    // caller withdrew the message (nothing may be written). From now on a
    // reply may arrive, so the request becomes a candidate for it.
    static bool ClaimForWire(PendingRequest& request);
    // The same for messages written together: all are claimed, or none
    // (those claimed here go back to queued when one was withdrawn).
    static bool ClaimAllForWire(std::span<PendingRequest* const> requests);
    // Writer: its attempt to hand the message to the socket is over,
    // whatever the result; wakes the caller.
    void MarkSent(std::uint32_t requestId);
    // Frame splitter: offers a frame; true when a waiting request took it.
    // `binding`: the relay is binding the connection, any frame answers the
    // first sent request.
    bool MatchReply(std::string_view frame, bool binding);

    // Wakes every caller waiting for a request: each gives up as if no reply
    // came (a woken ping is not counted). For closing down, so that a wait on
    // a dead connection does not hold up the one who closes.
    void WakeWaiters();

    int MissedPings() const;
    // A new connection starts with no missed pings.
    void ResetMissedPings();
    std::size_t PendingCount() const;

  private:
    // The pending request for a message; null with the error when the link
    // is down or the message is not a field list.
    std::shared_ptr<PendingRequest> MakeRequest(std::string_view message, int& error);
    // Waits for a queued request (id 0: it could not be queued) to be sent
    // and answered, removes it, and gives the result.
    int AwaitReply(std::uint32_t id, PendingRequest& request, bool noWait, std::int32_t& resultCode,
                   std::string& replyText);
    void CountPing(int error);
    // Enqueue without getting the message written; 0 when not queued.
    std::uint32_t Register(std::shared_ptr<PendingRequest> request);

    RequestTransport& transport_;
    const LinkTimeouts& timeouts_;
    LinkObserver* observer_ = nullptr;

    mutable std::mutex pendingMutex_;
    std::list<PendingEntry> pending_;
    std::uint32_t lastRequestId_ = 0;

    mutable std::mutex pingMutex_;
    int missedPings_ = 0;
};

}  // namespace zol
