#include "serverlink/server_link.h"

#include <arpa/inet.h>

#include <algorithm>

#include "platform/socket_errors.h"
#include "serverlink/frame_splitter.h"
#include "serverlink/link_observer.h"
#include "serverlink/server_relay_hook.h"

namespace zol {
namespace {

// Receive-thread results after which the thread keeps going: the wake-up,
// and the ends of a connection that the set reports before it is empty.
bool ReceiveGoesOn(int result) {
    return result == 0 || result == kWsaEConnAborted || result == kWsaEConnReset ||
           result == kWsaEShutdown || result == kWsaEConnRefused;
}

// The splitter also looks at its buffer without a wake-up; never busy-wait.
std::chrono::milliseconds SplitterWait(std::int32_t decodeTimeout) {
    return SecondsToWait(std::max<std::int32_t>(decodeTimeout, 1));
}

}  // namespace

ServerLink::ServerLink(const LinkTimeouts& timeouts)
    : timeouts_(timeouts), requests_(*this, timeouts) {
    // Read no further than the stream can take; the rest waits in the kernel.
    sockets_.SetReceiveLimit(kReceiveChunkSize);
}

ServerLink::~ServerLink() {
    CloseServerConnection();
}

void ServerLink::SetObserver(LinkObserver* observer) {
    observer_ = observer;
    requests_.SetObserver(observer);
}

void ServerLink::ResetForNewConnection() {
    stopping_.store(false);
    queueEvent_.ResetEvent();
    dataEvent_.ResetEvent();
    liveChanged_.ResetEvent();
    receiveEnded_.ResetEvent();
    sendEnded_.ResetEvent();
    splitterEnded_.ResetEvent();
    outgoing_.Clear();
    binding_.store(false);
    std::lock_guard lock(streamMutex_);
    stream_.Clear();
    receiveStalled_ = false;
    streamBroken_ = false;
    protocolErrorReason_.clear();
}

int ServerLink::OpenServerConnection(ServerTarget target) {
    // Whatever is left of an earlier connection goes first, its relay too.
    if (receiveThread_.joinable() || sendThread_.joinable() || splitterThread_.joinable() ||
        relayInUse_) {
        CloseServerConnection();
    }
    if (target.useRelay) {
        if (relayHook_ == nullptr) {
            return kOpenTimedOut;
        }
        relayInUse_ = true;
        int relayCode = relayHook_->ResolveServerViaRelay(target);
        if (relayCode != 0) {
            return relayCode;
        }
    }
    ResetForNewConnection();

    if (sockets_.Connect(target.address, target.port) != 0) {
        return kOpenRefused;
    }
    receiveThread_ = std::thread(&ServerLink::ReceiveThread, this);

    // liveChanged_ is set when the connection came up or the receive thread ended.
    liveChanged_.Wait(SecondsToWait(timeouts_.serverConnectTimeout));
    if (!IsConnected()) {
        CloseServerConnection();
        return kOpenTimedOut;
    }

    sendThread_ = std::thread(&ServerLink::SendThread, this);
    splitterThread_ = std::thread(&ServerLink::SplitterThread, this);
    connectionOpened_.store(true);

    if (target.useRelay) {
        relayHook_->BindDataConnection(*this);
    }
    return kOpenOk;
}

void ServerLink::StopThread(std::thread& thread, Event& ended) {
    if (!thread.joinable()) {
        return;
    }
    if (ended.Wait(SecondsToWait(timeouts_.taskTerminateWaitTime))) {
        thread.join();
    } else {
        // Threads cannot be killed safely; leave it and count it.
        thread.detach();
        abandonedThreads_.fetch_add(1);
    }
}

void ServerLink::CloseServerConnection() {
    closing_.store(true);
    stopping_.store(true);
    queueEvent_.Set();
    dataEvent_.Set();
    sockets_.InterruptSendWaits();

    StopThread(sendThread_, sendEnded_);
    outgoing_.Clear();
    sockets_.CloseAll();
    StopThread(receiveThread_, receiveEnded_);
    StopThread(splitterThread_, splitterEnded_);

    if (relayInUse_ && relayHook_ != nullptr) {
        relayHook_->CloseRelay();
    }
    relayInUse_ = false;
    closing_.store(false);
    connectionOpened_.store(false);
    liveSocket_.store(-1);
    std::lock_guard lock(streamMutex_);
    stream_.Clear();
    receiveStalled_ = false;
}

bool ServerLink::QueueOutgoing(std::string_view message, std::uint32_t requestId) {
    if (!AppendOutgoing(message, requestId)) {
        return false;
    }
    queueEvent_.Set();
    return true;
}

bool ServerLink::AppendOutgoing(std::string_view message, std::uint32_t requestId) {
    if (message.size() > kMaxOutgoingMessage) {
        return false;
    }
    if (observer_ != nullptr) {
        observer_->OnMessageSent(message);
    }
    outgoing_.Push(OutgoingMessage{requestId, std::string(message)});
    return true;
}

void ServerLink::FlushOutgoing() {
    std::unique_lock sending(sendMutex_, std::try_to_lock);
    if (!sending.owns_lock() || !SendQueued(false)) {
        queueEvent_.Set();
    }
}

bool ServerLink::SendQueued(bool mayWait) {
    while (!stopping_.load()) {
        std::optional<OutgoingMessage> message = outgoing_.Pop();
        if (!message) {
            break;
        }
        requests_.MarkSending(message->requestId);
        // 997 (earlier bytes still pending) would lose this message: wait
        // for the socket to take them and try again.
        int result = kErrorIoPending;
        while (result == kErrorIoPending && !stopping_.load()) {
            std::uint64_t ticket = sockets_.SendProgressTicket();
            int live = liveSocket_.load();
            result = live >= 0 ? sockets_.Send(live, message->bytes) : kWsaENotConn;
            if (result == kErrorIoPending) {
                if (!mayWait) {
                    outgoing_.PushFront(std::move(*message));
                    return false;
                }
                sockets_.WaitForSendProgress(ticket, std::chrono::seconds(1));
            }
        }
        // Marked sent whatever the socket said: a refused message ends in
        // the caller's reply time-out.
        requests_.MarkSent(message->requestId);
    }
    return true;
}

void ServerLink::SetGreetingValues(const GreetingValues& values) {
    std::lock_guard lock(greetingMutex_);
    greeting_ = values;
}

GreetingValues ServerLink::Greeting() const {
    std::lock_guard lock(greetingMutex_);
    return greeting_;
}

void ServerLink::ReceiveThread() {
    streamSocket_ = -1;
    while (!stopping_.load()) {
        SocketEvents events = sockets_.ProcessEvents();
        if (events.result == kErrorTimeout) {
            continue;
        }
        if ((events.eventMask & (kEventConnect | kEventClose | kEventAccept)) != 0 ||
            events.result != 0) {
            ReevaluateLiveSocket(events);
        }
        bool stalled = false;
        {
            std::lock_guard lock(streamMutex_);
            stalled = receiveStalled_;
        }
        if (events.received || stalled) {
            MoveReceivedToStream(streamSocket_);
        }
        if (!ReceiveGoesOn(events.result)) {
            break;
        }
    }
    receiveEnded_.Set();
    liveChanged_.Set();
}

void ServerLink::ReevaluateLiveSocket(const SocketEvents& events) {
    std::vector<int> open = sockets_.OpenSockets();
    int live = liveSocket_.load();
    if (open.empty()) {
        if (live < 0) {
            return;
        }
        // The stream keeps what arrived before the loss: the splitter still
        // delivers replies and pushes that were complete.
        liveSocket_.store(-1);
        std::string reason;
        {
            std::lock_guard lock(streamMutex_);
            reason = protocolErrorReason_;
        }
        if (observer_ != nullptr) {
            observer_->OnConnectionLost(reason);
        }
        return;
    }
    if (std::find(open.begin(), open.end(), live) != open.end()) {
        return;
    }
    {
        std::lock_guard lock(streamMutex_);
        stream_.Clear();
        receiveStalled_ = false;
        streamBroken_ = false;
        protocolErrorReason_.clear();
    }
    streamSocket_ = open.front();
    if (events.socket == open.front()) {
        peerAddress_.store(ntohl(events.peerAddress));
    }
    liveSocket_.store(open.front());
    liveChanged_.Set();
}

void ServerLink::MoveReceivedToStream(int socket) {
    if (socket < 0) {
        return;
    }
    bool added = false;
    sockets_.ConsumeReceived(socket, [&](std::string_view bytes) -> std::size_t {
        std::lock_guard lock(streamMutex_);
        if (streamBroken_) {
            return bytes.size();
        }
        std::size_t taken = stream_.Append(bytes);
        receiveStalled_ = taken < bytes.size();
        added = taken > 0;
        return taken;
    });
    if (!added) {
        return;
    }
    // Cut the frames here when the splitter is idle: one thread switch less
    // between a reply and its caller. Until the connection is fully opened
    // the bytes wait for the splitter.
    std::unique_lock splitting(splitMutex_, std::try_to_lock);
    if (splitting.owns_lock() && connectionOpened_.load()) {
        SplitPassLocked();
    } else {
        dataEvent_.Set();
    }
}

void ServerLink::SendThread() {
    for (;;) {
        queueEvent_.Wait();
        if (stopping_.load()) {
            break;
        }
        std::lock_guard sending(sendMutex_);
        SendQueued(true);
    }
    sendEnded_.Set();
}

void ServerLink::SplitterThread() {
    for (;;) {
        dataEvent_.Wait(SplitterWait(timeouts_.decodeTimeout));
        if (stopping_.load()) {
            break;
        }
        SplitPass();
    }
    splitterEnded_.Set();
}

void ServerLink::SplitPass() {
    std::lock_guard splitting(splitMutex_);
    SplitPassLocked();
}

void ServerLink::SplitPassLocked() {
    std::string& work = splitWork_;
    {
        std::lock_guard lock(streamMutex_);
        work.assign(stream_.Contents());
    }
    if (work.empty()) {
        return;
    }
    SplitResult split =
        SplitFrames(work, binding_.load(),
                    [this](std::string_view frame, FrameKind kind) { DeliverFrame(frame, kind); });
    bool wakeReceiver = false;
    {
        std::lock_guard lock(streamMutex_);
        stream_.Consume(split.consumed);
        if (split.protocolError) {
            stream_.Clear();
            streamBroken_ = true;
            protocolErrorReason_ = "Protocol error: " + split.reason;
        }
        wakeReceiver = receiveStalled_;
    }
    if (wakeReceiver) {
        sockets_.Wake();
    }
    if (split.protocolError) {
        // The stream cannot be realigned: drop the connection so that the
        // client's reconnect starts afresh.
        int live = liveSocket_.load();
        if (live >= 0) {
            sockets_.Abort(live);
        }
    }
}

void ServerLink::DeliverFrame(std::string_view frame, FrameKind kind) {
    if (kind == FrameKind::FieldList && observer_ != nullptr) {
        observer_->OnFrameReceived(frame);
    }
    bool taken = requests_.MatchReply(frame, kind == FrameKind::Binding);
    if (!taken && kind == FrameKind::FieldList && observer_ != nullptr) {
        observer_->OnUnsolicitedFrame(frame);
    }
}

}  // namespace zol
