#include "serverlink/socket_set.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "platform/socket_errors.h"

namespace zol {
namespace {

int LastSocketError() {
    return WinsockErrorFromErrno(errno);
}

int PendingSocketError(int socket) {
    int error = 0;
    socklen_t length = sizeof(error);
    if (getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
        return LastSocketError();
    }
    return WinsockErrorFromErrno(error);
}

}  // namespace

// Takes the set's mutex ahead of the event thread: announce at the gate (the
// event thread starts no new step while anyone is announced), take the mutex,
// withdraw. The event thread does not hold the mutex while it sleeps in
// poll(), so the lock is had at once; whoever changed what the event thread
// waits for (slots, pending bytes, limits) wakes it on release so that its
// next wait sees the change.
class SocketSet::PriorityLock {
  public:
    explicit PriorityLock(SocketSet& set) : set_(set) {
        {
            std::lock_guard gate(set_.gateMutex_);
            ++set_.priorityWaiters_;
        }
        set_.mutex_.lock();
        {
            std::lock_guard gate(set_.gateMutex_);
            --set_.priorityWaiters_;
        }
        set_.gateCv_.notify_all();
        generation_ = set_.generation_;
    }
    ~PriorityLock() {
        // Only a thread already in its wait needs waking: one that has not
        // begun it yet sees the change when it takes the lock.
        bool wake = (changed_ || generation_ != set_.generation_) && set_.pollers_ > 0;
        set_.mutex_.unlock();
        if (wake) {
            set_.Wake();
        }
    }
    PriorityLock(const PriorityLock&) = delete;
    PriorityLock& operator=(const PriorityLock&) = delete;

    void MarkChanged() { changed_ = true; }

  private:
    SocketSet& set_;
    std::uint64_t generation_ = 0;
    bool changed_ = false;
};

SocketSet::SocketSet() : scratch_(kReceiveChunkSize, '\0') {
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ < 0) {
        throw std::runtime_error("SocketSet: eventfd failed");
    }
}

SocketSet::~SocketSet() {
    CloseAll();
    close(wakeFd_);
}

void SocketSet::Wake() {
    std::uint64_t one = 1;
    // A full counter already wakes the thread; nothing else can fail here.
    [[maybe_unused]] ssize_t written = write(wakeFd_, &one, sizeof(one));
}

int SocketSet::Connect(std::uint32_t address, std::uint16_t port) {
    PriorityLock lock(*this);
    if (!slots_.empty()) {
        return kWsaEIsConn;
    }
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return LastSocketError();
    }
    // Messages leave in one send each; waiting to coalesce them only delays replies.
    int noDelay = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof(noDelay));

    SocketSlot slot;
    slot.socket = fd;
    slot.peerAddress = address;
    slot.lastActivity = std::chrono::steady_clock::now();
    slot.recording = recording_;
    slots_.push_back(std::move(slot));

    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    peer.sin_addr.s_addr = address;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&peer), sizeof(peer)) != 0 &&
        errno != EINPROGRESS) {
        int error = LastSocketError();
        while (!slots_.empty()) {
            CloseSlot(slots_.size() - 1);
        }
        return error;
    }
    // Even an immediate success is reported through the connect event.
    BeginConnecting();
    return 0;
}

void SocketSet::BeginConnecting() {
    linkState_ = LinkState::Connecting;
    waitTimeout_ = std::chrono::milliseconds(-1);
    ++generation_;
    std::lock_guard progress(progressMutex_);
    sendWaitsInterrupted_ = false;
}

void SocketSet::SetRecording(bool on) {
    std::lock_guard lock(mutex_);
    recording_ = on;
}

std::optional<ReleasedSocket> SocketSet::Release(int socket) {
    PriorityLock lock(*this);
    SocketSlot* slot = FindSlot(socket);
    if (slot == nullptr || !slot->pendingData.empty())
        return std::nullopt;
    ReleasedSocket released{slot->socket, slot->peerAddress, std::move(slot->record)};
    const auto index = static_cast<std::size_t>(slot - slots_.data());
    if (index + 1 != slots_.size())
        slots_[index] = std::move(slots_.back());
    slots_.pop_back();
    ++generation_;
    if (slots_.empty())
        linkState_ = LinkState::Empty;
    NoteSendProgress();
    return released;
}

int SocketSet::Adopt(int socket, std::uint32_t address, std::vector<RecordedChunk> record) {
    PriorityLock lock(*this);
    if (!slots_.empty())
        return kWsaEIsConn;
    if (socket < 0)
        return kWsaENotSock;
    SocketSlot slot;
    slot.socket = socket;
    slot.peerAddress = address;
    slot.lastActivity = std::chrono::steady_clock::now();
    slot.recording = recording_;
    slot.replay.assign(std::make_move_iterator(record.begin()),
                       std::make_move_iterator(record.end()));
    ReleaseReplayedReads(slot);
    slot.replayArrived = false;  // reported with the connect
    slots_.push_back(std::move(slot));
    // Connected already: the first poll finds it writable and reports the
    // connect, as for a connect that succeeded at once.
    BeginConnecting();
    return 0;
}

void SocketSet::AppendToRecord(SocketSlot& slot, bool sent, std::string_view bytes) {
    if (slot.record.empty() || slot.record.back().sent != sent) {
        slot.record.push_back({sent, {}});
    }
    slot.record.back().bytes.append(bytes);
}

void SocketSet::ReleaseReplayedReads(SocketSlot& slot) {
    while (!slot.replay.empty() && !slot.replay.front().sent) {
        slot.receiveBuffer.append(slot.replay.front().bytes);
        slot.replay.pop_front();
        slot.replayArrived = true;
    }
}

bool SocketSet::RepeatRecordedWrites(SocketSlot& slot, std::string_view& bytes) {
    while (!bytes.empty() && !slot.replay.empty()) {
        std::string& expected = slot.replay.front().bytes;
        const std::size_t common = std::min(expected.size(), bytes.size());
        if (std::string_view(expected).substr(0, common) != bytes.substr(0, common)) {
            return false;
        }
        bytes.remove_prefix(common);
        expected.erase(0, common);
        if (expected.empty()) {
            slot.replay.pop_front();
            ReleaseReplayedReads(slot);
        }
    }
    return true;
}

// One step: remove slots closed by the previous step, wait for the wake
// descriptor or any socket, service one ready handle (round-robin so that a
// busy socket cannot starve the others), and report what happened. Events of
// a slot are handled in the order connect, read, write, close; an event's
// error closes the slot and ends the step with that error.
SocketEvents SocketSet::ProcessEvents(std::optional<std::chrono::milliseconds> timeout) {
    SocketEvents out;
    {
        std::unique_lock gate(gateMutex_);
        gateCv_.wait(gate, [this] { return priorityWaiters_ == 0; });
    }
    std::unique_lock lock(mutex_);

    // A closed slot whose received bytes were not all consumed yet stays
    // until they are, so that nothing received before a close is lost.
    for (std::size_t i = slots_.size(); i-- > 0;) {
        if (slots_[i].closed && slots_[i].receiveBuffer.empty()) {
            CloseSlot(i);
        }
    }
    if (slots_.empty()) {
        out.result = kWsaENotConn;
        return out;
    }
    // Recorded replies made due by repeated writes come before the socket.
    for (SocketSlot& slot : slots_) {
        if (slot.connected && slot.replayArrived) {
            slot.replayArrived = false;
            out.socket = slot.socket;
            out.peerAddress = slot.peerAddress;
            out.eventMask = kEventRead;
            out.received = true;
            return out;
        }
    }

    std::vector<pollfd>& handles = handles_;
    handles.resize(slots_.size() + 1);
    handles[0] = {wakeFd_, POLLIN, 0};
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        const SocketSlot& slot = slots_[i];
        short events = 0;
        if (!slot.connected) {
            events = POLLOUT;
        } else if (!slot.closed) {
            if (slot.receiveBuffer.size() < receiveLimit_) {
                events |= POLLIN;
            }
            if (!slot.pendingData.empty()) {
                events |= POLLOUT;
            }
        }
        // A slot with nothing to wait for (closed, or stalled on a full
        // receive buffer) is left out: poll would otherwise report its hang-up
        // at once, again and again.
        handles[i + 1] = {events != 0 ? slot.socket : -1, events, 0};
    }

    const std::chrono::milliseconds wait = timeout.value_or(waitTimeout_);
    int timeoutMs =
        wait.count() < 0 ? -1 : static_cast<int>(std::min<std::int64_t>(wait.count(), INT32_MAX));
    std::uint64_t generation = generation_;
    ++pollers_;
    lock.unlock();
    int ready = 0;
    do {
        ready = poll(handles.data(), handles.size(), timeoutMs);
    } while (ready < 0 && errno == EINTR);
    int pollError = ready < 0 ? LastSocketError() : 0;
    if (ready > 0 && handles[0].revents != 0) {
        std::uint64_t value = 0;
        [[maybe_unused]] ssize_t readBytes = read(wakeFd_, &value, sizeof(value));
    }
    lock.lock();
    --pollers_;
    if (ready < 0) {
        out.result = pollError;
        return out;
    }
    if (ready == 0) {
        out.result = kErrorTimeout;
        return out;
    }
    if (generation != generation_) {
        // Slots changed while waiting: what poll saw may belong to a closed
        // descriptor. Report nothing; the next step looks again.
        return out;
    }

    std::size_t count = handles.size();
    std::size_t serviced = count;
    for (std::size_t step = 1; step <= count; ++step) {
        std::size_t index = (nextIndex_ + step) % count;
        if (handles[index].revents != 0) {
            serviced = index;
            break;
        }
    }
    if (serviced == count) {
        return out;
    }
    nextIndex_ = serviced;
    if (serviced == 0) {
        return out;
    }
    HandleSlotEvents(serviced - 1, handles[serviced].revents, out);
    return out;
}

void SocketSet::HandleSlotEvents(std::size_t index, short revents, SocketEvents& out) {
    SocketSlot& slot = slots_[index];
    out.socket = slot.socket;
    out.peerAddress = slot.peerAddress;
    auto now = std::chrono::steady_clock::now();

    if (!slot.connected) {
        out.eventMask |= kEventConnect;
        int error = PendingSocketError(slot.socket);
        if (error == 0 && (revents & (POLLERR | POLLHUP)) != 0) {
            error = kWsaEConnRefused;
        }
        if (error != 0) {
            CloseSlot(index);
            out.result = error;
            return;
        }
        slot.connected = true;
        slot.lastActivity = now;
        if (linkState_ == LinkState::Connecting) {
            linkState_ = LinkState::Connected;
        }
        // An adopted socket's record waits to be consumed.
        if (!slot.receiveBuffer.empty()) {
            out.eventMask |= kEventRead;
            out.received = true;
        }
        return;
    }

    if ((revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
        ssize_t received = recv(slot.socket, scratch_.data(), scratch_.size(), 0);
        if (received > 0) {
            slot.receiveBuffer.append(scratch_.data(), static_cast<std::size_t>(received));
            if (slot.recording) {
                AppendToRecord(
                    slot, false,
                    std::string_view(scratch_.data(), static_cast<std::size_t>(received)));
            }
            slot.lastActivity = now;
            out.eventMask |= kEventRead;
            out.received = true;
        } else if (received == 0) {
            // Orderly close by the peer: the slot goes at the next step.
            slot.closed = true;
            out.eventMask |= kEventClose;
            return;
        } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            // A reset arrives as a close with its error.
            out.eventMask |= kEventClose;
            out.result = LastSocketError();
            CloseSlot(index);
            return;
        }
    }

    if ((revents & POLLOUT) != 0 && !slot.pendingData.empty()) {
        std::size_t accepted = 0;
        std::string_view rest(slot.pendingData);
        rest.remove_prefix(slot.pendingSent);
        int error = SendLoop(slot, rest, accepted);
        slot.pendingSent += accepted;
        slot.lastActivity = now;
        out.eventMask |= kEventWrite;
        out.bytesSent = accepted;
        if (slot.pendingSent >= slot.pendingData.size()) {
            slot.pendingData.clear();
            slot.pendingData.shrink_to_fit();
            slot.pendingSent = 0;
            NoteSendProgress();
        }
        if (error != 0 && error != kWsaEWouldBlock) {
            out.result = error;
            CloseSlot(index);
        }
    }
}

int SocketSet::SendLoop(SocketSlot& slot, std::string_view bytes, std::size_t& accepted) {
    accepted = 0;
    while (accepted < bytes.size()) {
        ssize_t sent =
            send(slot.socket, bytes.data() + accepted, bytes.size() - accepted, MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) {
                continue;
            }
            return LastSocketError();
        }
        if (slot.recording) {
            AppendToRecord(slot, true, bytes.substr(accepted, static_cast<std::size_t>(sent)));
        }
        accepted += static_cast<std::size_t>(sent);
    }
    return 0;
}

SocketSlot* SocketSet::FindSlot(int socket) {
    for (SocketSlot& slot : slots_) {
        if (slot.socket == socket) {
            return &slot;
        }
    }
    return nullptr;
}

int SocketSet::Send(int socket, std::string_view bytes, const std::function<bool()>& claim) {
    PriorityLock lock(*this);
    if (linkState_ != LinkState::Connected) {
        return kWsaENotConn;
    }
    SocketSlot* slot = FindSlot(socket);
    if (slot == nullptr) {
        return kErrorInvalidParameter;
    }
    if (slot->closed) {
        return kWsaEShutdown;
    }
    slot->lastActivity = std::chrono::steady_clock::now();
    if (!slot->pendingData.empty()) {
        return kErrorIoPending;
    }
    if (claim && !claim()) {
        return kErrorOperationAborted;
    }
    if (!slot->replay.empty()) {
        const bool repeated = RepeatRecordedWrites(*slot, bytes);
        if (!repeated) {
            CloseSlot(static_cast<std::size_t>(slot - slots_.data()));
            return kWsaEConnAborted;
        }
        if (slot->replayArrived) {
            lock.MarkChanged();  // the receiving side has bytes to take
        }
        if (bytes.empty()) {
            return 0;
        }
    }
    std::size_t accepted = 0;
    int error = SendLoop(*slot, bytes, accepted);
    if (error == kWsaEWouldBlock) {
        slot->pendingData.assign(bytes.substr(accepted));
        slot->pendingSent = 0;
        lock.MarkChanged();
    } else if (error != 0) {
        CloseSlot(static_cast<std::size_t>(slot - slots_.data()));
    }
    return error;
}

void SocketSet::ConsumeReceived(int socket,
                                const std::function<std::size_t(std::string_view)>& consume) {
    std::lock_guard lock(mutex_);
    SocketSlot* slot = FindSlot(socket);
    if (slot == nullptr || slot->receiveBuffer.empty()) {
        return;
    }
    std::size_t taken = consume(slot->receiveBuffer);
    slot->receiveBuffer.erase(0, std::min(taken, slot->receiveBuffer.size()));
}

std::vector<int> SocketSet::OpenSockets() {
    std::lock_guard lock(mutex_);
    std::vector<int> open;
    for (const SocketSlot& slot : slots_) {
        if (slot.socket >= 0 && !slot.closed) {
            open.push_back(slot.socket);
        }
    }
    return open;
}

void SocketSet::CloseAll() {
    PriorityLock lock(*this);
    while (!slots_.empty()) {
        CloseSlot(slots_.size() - 1);
    }
}

void SocketSet::Abort(int socket) {
    PriorityLock lock(*this);
    SocketSlot* slot = FindSlot(socket);
    if (slot != nullptr && !slot->closed) {
        shutdown(slot->socket, SHUT_RDWR);
        lock.MarkChanged();
    }
}

void SocketSet::CloseSlot(std::size_t index) {
    SocketSlot& slot = slots_[index];
    shutdown(slot.socket, SHUT_RDWR);
    close(slot.socket);
    if (index + 1 != slots_.size()) {
        slots_[index] = std::move(slots_.back());
    }
    slots_.pop_back();
    ++generation_;
    if (slots_.empty()) {
        linkState_ = LinkState::Empty;
    }
    NoteSendProgress();
}

void SocketSet::SetReceiveLimit(std::size_t bytes) {
    PriorityLock lock(*this);
    receiveLimit_ = bytes;
    lock.MarkChanged();
}

void SocketSet::SetWaitTimeout(std::chrono::milliseconds timeout) {
    PriorityLock lock(*this);
    waitTimeout_ = timeout;
    lock.MarkChanged();
}

void SocketSet::NoteSendProgress() {
    {
        std::lock_guard lock(progressMutex_);
        ++progressCount_;
    }
    progressCv_.notify_all();
}

std::uint64_t SocketSet::SendProgressTicket() {
    std::lock_guard lock(progressMutex_);
    return progressCount_;
}

void SocketSet::WaitForSendProgress(std::uint64_t ticket, std::chrono::milliseconds timeout) {
    std::unique_lock lock(progressMutex_);
    progressCv_.wait_for(lock, timeout,
                         [&] { return progressCount_ != ticket || sendWaitsInterrupted_; });
}

void SocketSet::InterruptSendWaits() {
    {
        std::lock_guard lock(progressMutex_);
        sendWaitsInterrupted_ = true;
    }
    progressCv_.notify_all();
}

LinkState SocketSet::State() {
    PriorityLock lock(*this);
    return linkState_;
}

std::size_t SocketSet::SlotCount() {
    PriorityLock lock(*this);
    return slots_.size();
}

}  // namespace zol
