// ServerLink: the one connection a program holds to the server, with its
// receive thread (drives the socket set and fills the stream buffer), send
// thread (writes queued requests) and frame splitter (cuts the stream into
// frames and hands each to the request engine, or to the observer as a push).
// When the send thread is idle a requesting thread writes its own message,
// and when the splitter is idle the receive thread cuts the frames itself:
// the same work, two thread switches less on a request's round trip.
//
// Use:  ServerLink link(timeouts);             // timeouts outlive the link
//       ConnectToServer(...) or link.OpenServerConnection(target);
//       link.SendRequest(FieldList{"ZOLApp", "Ping", "5"}.Message(), code, reply);
//       link.CloseServerConnection();
//
// Thread-safety: Open/CloseServerConnection from one controlling thread;
// SendRequest and the accessors from any thread.
// Lock order: send lock, then the socket set's lock or the pending-list lock;
// split lock, then the stream lock, the pending-list lock or the socket set's
// lock (never two of those at once); socket set's lock, then the stream lock;
// pending-list lock, then the queue lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "platform/event.h"
#include "serverlink/frame_splitter.h"
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
    void SetRelayHook(ServerRelayHook* hook) { relayHook_ = hook; }

    int OpenServerConnection(ServerTarget target);
    void CloseServerConnection();
    // Appends a copy to the send queue and wakes the send thread; false when
    // the message is too long. Requests go through Requests() instead, which
    // registers them as pending first.
    bool QueueOutgoing(std::string_view message, std::uint32_t requestId);

    int SendRequest(std::string_view message, std::int32_t& resultCode, std::string& replyText,
                    bool noWait = false) {
        return requests_.SendRequest(message, resultCode, replyText, noWait);
    }

    RequestEngine& Requests() { return requests_; }
    LinkObserver* Observer() const { return observer_; }
    const LinkTimeouts& Timeouts() const { return timeouts_; }

    bool IsConnected() const override { return liveSocket_.load() >= 0; }
    // Threads that did not end within TaskTerminateWaitTime and were left
    // running (detached) instead of being killed; should stay 0.
    int AbandonedThreads() const { return abandonedThreads_.load(); }
    bool ConnectionOpened() const { return connectionOpened_.load(); }
    std::uint32_t PeerAddress() const { return peerAddress_.load(); }  // host byte order

    // Set by the relay while its binding message waits for the answer.
    void SetBinding(bool binding) { binding_.store(binding); }
    bool IsBinding() const override { return binding_.load(); }
    bool IsClosing() const { return closing_.load(); }

    void SetGreetingValues(const GreetingValues& values);
    GreetingValues Greeting() const;

  private:
    // RequestTransport: append without waking anyone, then get the queue on
    // its way, on the calling thread when the send thread is not busy (two
    // thread switches less per request), else by waking it.
    bool AppendOutgoing(std::string_view message, std::uint32_t requestId) override;
    void FlushOutgoing() override;

    void ReceiveThread();
    void SendThread();
    void SplitterThread();
    void ReevaluateLiveSocket(const SocketEvents& events);
    void MoveReceivedToStream(int socket);
    // Sends queued messages until the queue is empty; false when a message
    // met earlier bytes still pending and went back to the queue's front
    // (only when `mayWait` is false).
    bool SendQueued(bool mayWait);
    void SplitPass();
    void SplitPassLocked();
    void DeliverFrame(std::string_view frame, FrameKind kind);
    void StopThread(std::thread& thread, Event& ended);
    void ResetForNewConnection();

    const LinkTimeouts& timeouts_;
    LinkObserver* observer_ = nullptr;
    ServerRelayHook* relayHook_ = nullptr;
    bool relayInUse_ = false;  // this connection went through the relay
    RequestEngine requests_;

    SocketSet sockets_;
    std::atomic<int> liveSocket_{-1};  // -1: not connected
    std::atomic<bool> connectionOpened_{false};
    std::atomic<bool> binding_{false};
    std::atomic<bool> closing_{false};
    std::atomic<bool> stopping_{false};
    std::atomic<std::uint32_t> peerAddress_{0};
    std::atomic<int> abandonedThreads_{0};

    std::mutex streamMutex_;
    StreamBuffer stream_;
    // Guarded by streamMutex_:
    bool receiveStalled_ = false;  // bytes wait in the socket for room in the stream
    bool streamBroken_ = false;    // framing lost; the rest of this connection is dropped
    std::string protocolErrorReason_;
    int streamSocket_ = -1;  // receive thread only: the socket feeding the stream

    OutgoingQueue outgoing_;
    std::mutex sendMutex_;   // held by whoever writes queued messages
    std::mutex splitMutex_;  // held by whoever cuts the stream
    std::string splitWork_;  // guarded by splitMutex_: the bytes being cut
    Event queueEvent_{Event::Reset::Auto};
    Event dataEvent_{Event::Reset::Auto};
    Event liveChanged_{Event::Reset::Manual};
    std::thread receiveThread_;
    std::thread sendThread_;
    std::thread splitterThread_;
    Event receiveEnded_{Event::Reset::Manual};
    Event sendEnded_{Event::Reset::Manual};
    Event splitterEnded_{Event::Reset::Manual};

    mutable std::mutex greetingMutex_;
    GreetingValues greeting_;
};

}  // namespace zol
