// ServerLink: the one connection a program holds to the server. Its receive
// thread drives the socket set, collects the byte stream and cuts it into
// frames, handing each to the request engine or to the observer as a push.
// A requesting thread writes the queued messages up to its own; a send
// thread is started only when a message has to wait (another writer, or
// earlier bytes still pending in the socket). A one-shot program that only
// waits for its own replies can let the waiting thread receive as well
// (SetReceiveOnCaller): it then runs no thread of the link at all.
//
// Use:  ServerLink link(timeouts);             // timeouts outlive the link
//       ConnectToServer(...) or link.OpenServerConnection(target);
//       link.SendRequest(FieldList{"ZOLApp", "Ping", "5"}.Message(), code, reply);
//       link.CloseServerConnection();
//
// Every wait of the link's threads is woken by closing, so closing joins
// them all: no thread outlives a connection, let alone the link.
//
// Thread-safety: Open/CloseServerConnection from one controlling thread;
// SendRequest and the accessors from any thread.
// Lock order: thread-start lock alone; send lock, then the socket set's lock
// or the pending-list lock; socket set's lock, then the stream lock; stream
// lock, then the pending-list lock; pending-list lock, then the queue lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/event.h"
#include "serverlink/frame_splitter.h"
#include "serverlink/handed_over_connection.h"
#include "serverlink/link_timeouts.h"
#include "serverlink/outgoing_queue.h"
#include "serverlink/request_engine.h"
#include "serverlink/server_target.h"
#include "serverlink/socket_set.h"
#include "serverlink/stream_buffer.h"

namespace zol {

class LinkObserver;
class ServerRelayHook;

// OpenServerConnection results (the relay adds 4, 5, 6 and 9 of its own).
inline constexpr int kOpenOk = 0;
inline constexpr int kOpenRefused = 1;   // the socket layer refused the connect at once
inline constexpr int kOpenTimedOut = 6;  // no connection within ServerConnectTimeout
inline constexpr std::size_t kMaxOutgoingMessage = 65535;

// What the server said about itself in its greeting reply.
struct GreetingValues {
    int serverMajor = 0;
    int serverMinor = 0;
    int serverBuild = 0;
    int clientNumber = 0;
    int protocolLevel = 0;  // 14 when the letter E was accepted, otherwise 13
};

class ServerLink : private RequestTransport {
  public:
    explicit ServerLink(const LinkTimeouts& timeouts);
    ~ServerLink() override;
    ServerLink(const ServerLink&) = delete;
    ServerLink& operator=(const ServerLink&) = delete;

    // Both must be set before opening and outlive the link.
    void SetObserver(LinkObserver* observer);
    // While on, no receive thread runs: a thread waiting for the connection
    // or for a reply drives the socket set itself (one of them at a time), so
    // a reply reaches its caller without a thread hand-off. Pushes and a loss
    // are then noticed only while someone waits: right for a program that
    // sends, waits and closes, and for a run of requests such as a design
    // load. Set before opening, the connection starts without a receive
    // thread (a relay connection always starts with one); switched on while
    // connected, the receive thread pauses after its current step; switched
    // off, it resumes (or starts). From the controlling thread.
    void SetReceiveOnCaller(bool on);
    void SetRelayHook(ServerRelayHook* hook) { relayHook_ = hook; }

    int OpenServerConnection(ServerTarget target);
    void CloseServerConnection();

    // Handing a connection over to another link of this process. The giver
    // records from before it opens, receives on its own thread only
    // (SetReceiveOnCaller) and hands over between requests: the link is then
    // closed and the socket open. Null when nothing can be handed over (no
    // connection, a relay, link threads running, bytes still to write).
    void RecordForHandOver(bool on);
    std::optional<HandedOverConnection> HandOverConnection();
    // The taker: the next direct open to the same address and port goes on
    // with `connection` instead of connecting; any other open, or the
    // link's end, closes it. From the controlling thread.
    void OfferConnection(HandedOverConnection connection);
    // Whether the last open went on with an offered connection.
    bool TookOfferedConnection() const { return tookOffer_; }
    // Appends a copy to the send queue and gets it written; false when the
    // message is too long. Requests go through Requests() instead, which
    // registers them as pending first.
    bool QueueOutgoing(std::string_view message, std::uint32_t requestId);

    int SendRequest(std::string_view message, std::int32_t& resultCode, std::string& replyText,
                    bool noWait = false) {
        return requests_.SendRequest(message, resultCode, replyText, noWait);
    }

    void SendRequests(std::span<BatchedRequest> batch, const BatchReplyHandler& onReply = {}) {
        requests_.SendRequests(batch, onReply);
    }

    RequestEngine& Requests() { return requests_; }
    LinkObserver* Observer() const { return observer_; }
    const LinkTimeouts& Timeouts() const { return timeouts_; }

    bool IsConnected() const override { return liveSocket_.load() >= 0; }
    // Threads left running when a close gave up on them. Closing always
    // joins every thread, so this stays 0; it is kept for the checks that
    // read it.
    int AbandonedThreads() const { return 0; }
    // Threads that took longer than TaskTerminateWaitTime to end on a close
    // (they were still joined): a sign of a slow observer or a stuck peer.
    int OverdueThreads() const { return overdueThreads_.load(); }
    // Whether a send thread was needed on this connection.
    bool SendThreadStarted() const { return sendThreadStarted_.load(); }
    bool ConnectionOpened() const { return connectionOpened_.load(); }
    std::uint32_t PeerAddress() const { return peerAddress_.load(); }  // host byte order

    // Set by the relay while its binding message waits for the answer.
    void SetBinding(bool binding) { binding_.store(binding); }
    bool IsBinding() const override { return binding_.load(); }
    bool IsClosing() const { return closing_.load(); }

    void SetGreetingValues(const GreetingValues& values);
    GreetingValues Greeting() const;

  private:
    // RequestTransport: append without waking anyone, then write the queue
    // up to the caller's own message on the calling thread when no one else
    // is writing (two thread switches less per request); whatever is left
    // goes to the send thread.
    bool AppendOutgoing(const std::shared_ptr<PendingRequest>& request,
                        std::uint32_t requestId) override;
    void FlushOutgoing(std::uint32_t requestId) override;
    void DropOutgoing(std::uint32_t requestId) override;
    bool Await(Event& event, std::chrono::milliseconds timeout) override;
    void WakeReceivingCaller() override { sockets_.Wake(); }

    void ReceiveThread();
    // One step of receiving: false once the socket set is empty.
    bool ReceiveStep(std::optional<std::chrono::milliseconds> timeout);
    void SendThread();
    void StartSendThreadAndWake();
    void ReevaluateLiveSocket(const SocketEvents& events);
    // Moves the socket's received bytes into the stream and cuts frames
    // until the socket's buffer is empty or the stream cannot take more.
    void DrainReceived(int socket);
    // Writes queued messages in order: all of them (`upTo` 0), or up to the
    // one with id `upTo` while it is still queued. With `mayWait` false a
    // message that meets earlier bytes still pending goes back in front and
    // the call returns.
    void WriteQueued(std::uint32_t upTo, bool mayWait);
    // The queued messages that go out in one write, as WriteQueued takes them.
    std::vector<OutgoingMessage> PopRun(std::uint32_t upTo);
    void MarkWritten(const OutgoingMessage& message, int result);
    int WriteOne(const OutgoingMessage& message, bool mayWait);
    // Several messages in one write; kNotWritten when a caller withdrew one
    // (nothing written: the run goes one at a time instead).
    int WriteTogether(const std::vector<OutgoingMessage>& run, bool mayWait);
    int WriteBytes(std::string_view bytes, const std::function<bool()>& claim,
                   const std::function<bool()>& withdrawn, bool mayWait);
    void CutFrames();
    void DeliverFrame(std::string_view frame, FrameKind kind);
    void JoinThread(std::thread& thread, Event& ended);
    void ResetForNewConnection();
    void DropOffer();

    const LinkTimeouts& timeouts_;
    LinkObserver* observer_ = nullptr;
    ServerRelayHook* relayHook_ = nullptr;
    bool relayInUse_ = false;  // this connection went through the relay
    bool receiveOnCaller_ = false;
    std::atomic<bool> callerReceives_{false};  // callers receive; the receive thread pauses
    std::mutex pumpMutex_;                     // held by whoever drives the socket set
    Event resumeReceiving_{Event::Reset::Manual};
    RequestEngine requests_;

    SocketSet sockets_;
    std::atomic<int> liveSocket_{-1};  // -1: not connected
    std::atomic<bool> connectionOpened_{false};
    std::atomic<bool> binding_{false};
    std::atomic<bool> closing_{false};
    std::atomic<bool> stopping_{false};
    std::atomic<std::uint32_t> peerAddress_{0};
    std::atomic<int> overdueThreads_{0};
    std::atomic<bool> sendThreadStarted_{false};

    // Guards the stream and the cutting of frames from it.
    std::mutex streamMutex_;
    StreamBuffer stream_;
    bool receiveStalled_ = false;  // bytes wait in the socket for room in the stream
    bool streamBroken_ = false;    // framing lost; the rest of this connection is dropped
    std::string protocolErrorReason_;
    int streamSocket_ = -1;  // receiving thread only: the socket feeding the stream

    OutgoingQueue outgoing_;
    std::mutex sendMutex_;     // held by whoever writes queued messages
    std::mutex threadsMutex_;  // starting the send thread vs. stopping
    Event queueEvent_{Event::Reset::Auto};
    Event liveChanged_{Event::Reset::Manual};
    std::thread receiveThread_;
    std::thread sendThread_;
    Event receiveEnded_{Event::Reset::Manual};
    Event sendEnded_{Event::Reset::Manual};

    ServerTarget openedTarget_;
    std::optional<HandedOverConnection> offered_;
    bool tookOffer_ = false;

    mutable std::mutex greetingMutex_;
    GreetingValues greeting_;
};

}  // namespace zol
