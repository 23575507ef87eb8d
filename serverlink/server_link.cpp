#include "serverlink/server_link.h"

#include <arpa/inet.h>
#include <unistd.h>

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

// WriteOne's result for a message that must not be written any more (its
// caller withdrew it, or the connection is closing): it is dropped without
// being marked sent.
constexpr int kNotWritten = -1;

// Queued messages go out together, in one write of at most about this
// many bytes: one system call, and the server gets a batch at once.
constexpr std::size_t kLargestWrite = 64 * 1024;

std::string_view MessageBytes(const OutgoingMessage& message) {
    return message.request != nullptr ? std::string_view(message.request->message)
                                      : std::string_view(message.bytes);
}

// How long a writer waits for earlier bytes to leave before it looks again
// (closing and withdrawals wake it sooner).
constexpr std::chrono::seconds kSendProgressWait{1};

// A caller waiting while another caller receives looks this often whether
// it should take over the receiving.
constexpr std::chrono::milliseconds kOtherReceiverWait{10};

}  // namespace

ServerLink::ServerLink(const LinkTimeouts& timeouts)
    : timeouts_(timeouts), requests_(*this, timeouts) {
    // Read no further than the stream can take; the rest waits in the kernel.
    sockets_.SetReceiveLimit(kReceiveChunkSize);
}

ServerLink::~ServerLink() {
    CloseServerConnection();
    DropOffer();
}

void ServerLink::DropOffer() {
    if (offered_ && offered_->socket >= 0) {
        ::close(offered_->socket);
    }
    offered_.reset();
}

void ServerLink::RecordForHandOver(bool on) {
    sockets_.SetRecording(on);
}

std::optional<HandedOverConnection> ServerLink::HandOverConnection() {
    const int live = liveSocket_.load();
    if (live < 0 || relayInUse_ || !callerReceives_.load() || receiveThread_.joinable() ||
        sendThread_.joinable()) {
        return std::nullopt;
    }
    std::optional<ReleasedSocket> released = sockets_.Release(live);
    if (!released) {
        return std::nullopt;
    }
    // The set no longer holds the socket: closing the link leaves it open.
    CloseServerConnection();
    return HandedOverConnection{released->socket, released->peerAddress, openedTarget_.port,
                                std::move(released->record)};
}

void ServerLink::OfferConnection(HandedOverConnection connection) {
    DropOffer();
    if (connection.socket >= 0) {
        offered_ = std::move(connection);
    }
}

void ServerLink::SetObserver(LinkObserver* observer) {
    observer_ = observer;
    requests_.SetObserver(observer);
}

void ServerLink::ResetForNewConnection() {
    {
        std::lock_guard lock(threadsMutex_);
        stopping_.store(false);
    }
    sendThreadStarted_.store(false);
    queueEvent_.ResetEvent();
    liveChanged_.ResetEvent();
    receiveEnded_.ResetEvent();
    sendEnded_.ResetEvent();
    resumeReceiving_.ResetEvent();
    outgoing_.Clear();
    binding_.store(false);
    requests_.ResetMissedPings();
    streamSocket_ = -1;  // no receiving thread runs now
    std::lock_guard lock(streamMutex_);
    stream_.Clear();
    receiveStalled_ = false;
    streamBroken_ = false;
    protocolErrorReason_.clear();
}

int ServerLink::OpenServerConnection(ServerTarget target) {
    // Whatever is left of an earlier connection goes first, its relay too.
    if (receiveThread_.joinable() || sendThread_.joinable() || relayInUse_) {
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

    tookOffer_ = offered_ && !target.useRelay && offered_->address == target.address &&
                 offered_->port == target.port;
    if (tookOffer_) {
        HandedOverConnection offer = std::move(*offered_);
        offered_.reset();
        if (sockets_.Adopt(offer.socket, offer.address, std::move(offer.record)) != 0) {
            ::close(offer.socket);
            tookOffer_ = false;
        }
    }
    DropOffer();
    if (!tookOffer_ && sockets_.Connect(target.address, target.port) != 0) {
        return kOpenRefused;
    }
    openedTarget_ = target;
    callerReceives_.store(receiveOnCaller_ && !target.useRelay);
    if (!callerReceives_.load()) {
        std::lock_guard lock(threadsMutex_);
        receiveThread_ = std::thread(&ServerLink::ReceiveThread, this);
    }
    // liveChanged_ is set when the connection came up or receiving ended.
    Await(liveChanged_, SecondsToWait(timeouts_.serverConnectTimeout));
    if (!IsConnected()) {
        CloseServerConnection();
        return kOpenTimedOut;
    }
    connectionOpened_.store(true);
    // Bytes that arrived while the connection came up waited for this.
    CutFrames();

    if (target.useRelay) {
        relayHook_->BindDataConnection(*this);
    }
    return kOpenOk;
}

void ServerLink::JoinThread(std::thread& thread, Event& ended) {
    if (!thread.joinable()) {
        return;
    }
    // Every wait of the thread was woken; the limit only tells when it is
    // late enough to be worth reporting.
    if (!ended.Wait(SecondsToWait(timeouts_.taskTerminateWaitTime))) {
        overdueThreads_.fetch_add(1);
    }
    thread.join();
}

void ServerLink::CloseServerConnection() {
    closing_.store(true);
    {
        std::lock_guard lock(threadsMutex_);
        stopping_.store(true);  // no thread starts after this
    }
    queueEvent_.Set();
    resumeReceiving_.Set();
    sockets_.InterruptSendWaits();
    {
        // A writer in the middle of a message finishes it; nothing queued
        // goes out after this, on this connection or the next.
        std::lock_guard sending(sendMutex_);
        outgoing_.Clear();
    }
    JoinThread(sendThread_, sendEnded_);
    sockets_.CloseAll();
    JoinThread(receiveThread_, receiveEnded_);
    {
        // A caller still receiving sees the empty set and stops.
        std::lock_guard pump(pumpMutex_);
        callerReceives_.store(false);
    }

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
    if (message.size() > kMaxOutgoingMessage) {
        return false;
    }
    if (observer_ != nullptr) {
        observer_->OnMessageSent(message);
    }
    outgoing_.Push(OutgoingMessage{requestId, nullptr, std::string(message)});
    StartSendThreadAndWake();
    return true;
}

bool ServerLink::AppendOutgoing(const std::shared_ptr<PendingRequest>& request,
                                std::uint32_t requestId) {
    if (request->message.size() > kMaxOutgoingMessage) {
        return false;
    }
    if (observer_ != nullptr) {
        observer_->OnMessageSent(request->message);
    }
    outgoing_.Push(OutgoingMessage{requestId, request, {}});
    return true;
}

void ServerLink::FlushOutgoing(std::uint32_t requestId) {
    {
        std::unique_lock sending(sendMutex_, std::try_to_lock);
        if (sending.owns_lock()) {
            WriteQueued(requestId, false);
        }
    }
    // Checked after the send lock is free: a writer that held it when this
    // caller's message was queued stopped at its own message.
    if (!outgoing_.Empty()) {
        StartSendThreadAndWake();
    }
}

void ServerLink::DropOutgoing(std::uint32_t requestId) {
    outgoing_.Remove(requestId);
}

void ServerLink::StartSendThreadAndWake() {
    {
        std::lock_guard lock(threadsMutex_);
        if (stopping_.load()) {
            return;
        }
        if (!sendThread_.joinable()) {
            sendThread_ = std::thread(&ServerLink::SendThread, this);
            sendThreadStarted_.store(true);
        }
    }
    queueEvent_.Set();
}

std::vector<OutgoingMessage> ServerLink::PopRun(std::uint32_t upTo) {
    std::vector<OutgoingMessage> run;
    std::size_t bytes = 0;
    while (bytes < kLargestWrite && (run.empty() || run.back().requestId != upTo)) {
        std::optional<OutgoingMessage> message =
            upTo != 0 ? outgoing_.PopThrough(upTo) : outgoing_.Pop();
        if (!message) {
            break;
        }
        bytes += MessageBytes(*message).size();
        run.push_back(std::move(*message));
    }
    return run;
}

void ServerLink::WriteQueued(std::uint32_t upTo, bool mayWait) {
    while (!stopping_.load()) {
        std::vector<OutgoingMessage> run = PopRun(upTo);
        if (run.empty()) {
            return;
        }
        std::size_t written = 0;
        int result = run.size() > 1 ? WriteTogether(run, mayWait) : kNotWritten;
        if (result == kNotWritten) {
            // One at a time: a single message, or a run one of whose callers
            // withdrew their message.
            for (; written < run.size(); ++written) {
                result = WriteOne(run[written], mayWait);
                if (result == kErrorIoPending) {
                    break;
                }
                MarkWritten(run[written], result);
            }
        } else if (result != kErrorIoPending) {
            for (; written < run.size(); ++written) {
                MarkWritten(run[written], result);
            }
        }
        if (result == kErrorIoPending) {
            while (run.size() > written) {
                outgoing_.PushFront(std::move(run.back()));
                run.pop_back();
            }
            return;
        }
        if (run.back().requestId == upTo) {
            return;
        }
    }
}

void ServerLink::MarkWritten(const OutgoingMessage& message, int result) {
    if (result != kNotWritten) {
        // Marked sent whatever the socket said: a refused message ends in
        // the caller's reply time-out.
        requests_.MarkSent(message.requestId);
    }
}

int ServerLink::WriteOne(const OutgoingMessage& message, bool mayWait) {
    PendingRequest* request = message.request.get();
    const auto claim = [request] {
        return request == nullptr || RequestEngine::ClaimForWire(*request);
    };
    const auto withdrawn = [request] {
        return request != nullptr && request->wire.load() == WireState::Withdrawn;
    };
    return WriteBytes(MessageBytes(message), claim, withdrawn, mayWait);
}

int ServerLink::WriteTogether(const std::vector<OutgoingMessage>& run, bool mayWait) {
    std::string bytes;
    std::vector<PendingRequest*> requests;
    for (const OutgoingMessage& message : run) {
        bytes.append(MessageBytes(message));
        if (message.request != nullptr) {
            requests.push_back(message.request.get());
        }
    }
    bool refused = false;
    const auto claim = [&requests, &refused] {
        refused = !RequestEngine::ClaimAllForWire(requests);
        return !refused;
    };
    const int result = WriteBytes(
        bytes, claim, [] { return false; }, mayWait);
    return refused ? kNotWritten : result;
}

int ServerLink::WriteBytes(std::string_view bytes, const std::function<bool()>& claim,
                           const std::function<bool()>& withdrawn, bool mayWait) {
    for (;;) {
        if (stopping_.load() || withdrawn()) {
            return kNotWritten;
        }
        std::uint64_t ticket = sockets_.SendProgressTicket();
        int live = liveSocket_.load();
        int result = live >= 0 ? sockets_.Send(live, bytes, claim) : kWsaENotConn;
        if (result == kErrorOperationAborted) {
            return kNotWritten;
        }
        // 997: earlier bytes are still on their way; this message must wait
        // for them, never be cut into them.
        if (result != kErrorIoPending || !mayWait) {
            return result;
        }
        sockets_.WaitForSendProgress(ticket, kSendProgressWait);
    }
}

void ServerLink::SetGreetingValues(const GreetingValues& values) {
    std::lock_guard lock(greetingMutex_);
    greeting_ = values;
}

GreetingValues ServerLink::Greeting() const {
    std::lock_guard lock(greetingMutex_);
    return greeting_;
}

void ServerLink::SetReceiveOnCaller(bool on) {
    receiveOnCaller_ = on;
    if (!connectionOpened_.load() || relayInUse_) {
        return;  // takes effect at the next open
    }
    callerReceives_.store(on);
    if (on) {
        resumeReceiving_.ResetEvent();
        sockets_.Wake();  // the receive thread leaves its wait and pauses
        return;
    }
    resumeReceiving_.Set();
    std::lock_guard lock(threadsMutex_);
    if (!receiveThread_.joinable() && !stopping_.load()) {
        receiveThread_ = std::thread(&ServerLink::ReceiveThread, this);
    }
}

void ServerLink::ReceiveThread() {
    for (;;) {
        if (callerReceives_.load() && !stopping_.load()) {
            resumeReceiving_.Wait();
            continue;
        }
        std::unique_lock pump(pumpMutex_);
        if (stopping_.load()) {
            break;
        }
        if (callerReceives_.load()) {
            continue;
        }
        if (!ReceiveStep(std::nullopt)) {
            break;
        }
    }
    receiveEnded_.Set();
    liveChanged_.Set();
}

bool ServerLink::ReceiveStep(std::optional<std::chrono::milliseconds> timeout) {
    SocketEvents events = sockets_.ProcessEvents(timeout);
    if (events.result == kErrorTimeout) {
        return true;
    }
    bool stalled = false;
    {
        std::lock_guard lock(streamMutex_);
        stalled = receiveStalled_;
    }
    // Everything received is cut and delivered before a close is looked
    // at, so a loss is reported after the last frame.
    if (events.received || stalled) {
        DrainReceived(streamSocket_);
    }
    if ((events.eventMask & (kEventConnect | kEventClose | kEventAccept)) != 0 ||
        events.result != 0) {
        ReevaluateLiveSocket(events);
        // An adopted connection comes with bytes already received.
        if ((events.eventMask & kEventConnect) != 0 && events.received) {
            DrainReceived(streamSocket_);
        }
    }
    return ReceiveGoesOn(events.result);
}

bool ServerLink::Await(Event& event, std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + timeout;
    auto left = [&] {
        return std::chrono::ceil<std::chrono::milliseconds>(
            std::max(Clock::duration::zero(), deadline - Clock::now()));
    };
    while (callerReceives_.load()) {
        std::unique_lock pump(pumpMutex_, std::try_to_lock);
        if (!pump.owns_lock()) {
            // Another caller receives and sets this event when it is due.
            if (event.Wait(std::min(left(), kOtherReceiverWait))) {
                return true;
            }
            if (left().count() == 0) {
                return false;
            }
            continue;
        }
        if (!callerReceives_.load()) {
            break;
        }
        while (!event.IsSet()) {
            std::chrono::milliseconds wait = left();
            if (wait.count() == 0) {
                return false;
            }
            if (!ReceiveStep(wait)) {
                // Nothing more can arrive on this connection.
                liveChanged_.Set();
                pump.unlock();
                return event.Wait(left());
            }
        }
        return event.Wait(std::chrono::milliseconds(0));  // consumes an auto-reset event
    }
    return event.Wait(left());
}

void ServerLink::ReevaluateLiveSocket(const SocketEvents& events) {
    std::vector<int> open = sockets_.OpenSockets();
    int live = liveSocket_.load();
    if (open.empty()) {
        if (live < 0) {
            return;
        }
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

void ServerLink::DrainReceived(int socket) {
    if (socket < 0) {
        return;
    }
    for (;;) {
        bool added = false;
        bool stalled = false;
        sockets_.ConsumeReceived(socket, [&](std::string_view bytes) -> std::size_t {
            std::lock_guard lock(streamMutex_);
            if (streamBroken_) {
                receiveStalled_ = false;
                return bytes.size();
            }
            std::size_t taken = stream_.Append(bytes);
            receiveStalled_ = stalled = taken < bytes.size();
            added = taken > 0;
            return taken;
        });
        // Until the connection counts as open the bytes wait; the opener cuts them.
        if (!added || !connectionOpened_.load()) {
            return;
        }
        CutFrames();
        if (!stalled) {
            return;
        }
    }
}

void ServerLink::CutFrames() {
    bool abort = false;
    bool wakeReceiver = false;
    {
        std::lock_guard lock(streamMutex_);
        if (stream_.Size() == 0 || streamBroken_) {
            return;
        }
        SplitResult split = SplitFrames(
            stream_.Contents(), binding_.load(),
            [this](std::string_view frame, FrameKind kind) { DeliverFrame(frame, kind); });
        stream_.Consume(split.consumed);
        if (split.protocolError) {
            // Nothing after the bad header can be trusted: not a frame of it
            // is delivered, and the connection is dropped so that the
            // client's reconnect starts afresh.
            stream_.Clear();
            streamBroken_ = true;
            receiveStalled_ = false;
            protocolErrorReason_ = "Protocol error: " + split.reason;
            abort = true;
        }
        wakeReceiver = receiveStalled_;
    }
    if (wakeReceiver) {
        sockets_.Wake();  // room again for what waits in the socket
    }
    int live = liveSocket_.load();
    if (abort && live >= 0) {
        sockets_.Abort(live);
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

void ServerLink::SendThread() {
    for (;;) {
        queueEvent_.Wait();
        if (stopping_.load()) {
            break;
        }
        std::lock_guard sending(sendMutex_);
        WriteQueued(0, true);
    }
    sendEnded_.Set();
}

}  // namespace zol
