// SocketSet: a small event-driven set of non-blocking IPv4 stream sockets.
//
// One thread (the connection's receive thread) drives the set with
// ProcessEvents, one event step at a time, sleeping in poll() between steps.
// Any other thread that needs the set (Send, CloseAll, Abort, ...) takes it
// with the priority sequence: it announces itself at the gate, so that the
// event thread starts no new step before it had the set, takes the mutex,
// and, when it changed what the event thread waits for, wakes that thread
// through the wake descriptor at wait index 0. The event thread does not hold
// the mutex while it sleeps, so a sender is never starved by a wait without
// time-out and pays no thread switch when it merely sends.
//
// Thread-safety: ProcessEvents and ConsumeReceived from the one event thread;
// every other operation from any thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

#include <poll.h>
#include <string>
#include <string_view>
#include <vector>

#include "serverlink/handed_over_connection.h"

namespace zol {

// Network event bits as the Windows Sockets layer numbers them.
inline constexpr int kEventRead = 1;
inline constexpr int kEventWrite = 2;
inline constexpr int kEventAccept = 8;
inline constexpr int kEventConnect = 16;
inline constexpr int kEventClose = 32;

inline constexpr std::size_t kMaxSocketSlots = 63;
inline constexpr std::size_t kReceiveChunkSize = 65536;

enum class LinkState { Empty = 0, Connecting = 4, Connected = 5 };

struct SocketSlot {
    int socket = -1;
    std::uint32_t peerAddress = 0;  // network byte order
    std::string pendingData;        // bytes the socket has not taken yet
    std::size_t pendingSent = 0;    // how many of them have gone since
    std::chrono::steady_clock::time_point lastActivity{};
    bool connected = false;     // connect event seen
    bool closed = false;        // close event seen; removed at the next step
    std::string receiveBuffer;  // received and not yet consumed
    // Recording for a hand-over: every byte written and read.
    bool recording = false;
    std::vector<RecordedChunk> record;
    // Adopted with a record: what is still to be repeated, and whether
    // recorded bytes were put in the receive buffer since the last step.
    std::deque<RecordedChunk> replay;
    bool replayArrived = false;
};

// A socket taken out of the set, open, with what it carried.
struct ReleasedSocket {
    int socket = -1;
    std::uint32_t peerAddress = 0;  // network byte order
    std::vector<RecordedChunk> record;
};

// What one ProcessEvents step reports.
struct SocketEvents {
    int result = 0;
    int eventMask = 0;
    int socket = -1;
    std::uint32_t peerAddress = 0;
    std::size_t bytesSent = 0;
    bool received = false;  // the read bit came with new bytes in the receive buffer
};

class SocketSet {
  public:
    SocketSet();
    ~SocketSet();
    SocketSet(const SocketSet&) = delete;
    SocketSet& operator=(const SocketSet&) = delete;

    // Starts a non-blocking connect to `address` (network order):`port`.
    // 0 when started (completion arrives as a connect event), 10056 when the
    // set already holds a socket, or the error of the failed attempt.
    int Connect(std::uint32_t address, std::uint16_t port);
    // Sockets connected from now on record what they carry, for Release.
    void SetRecording(bool on);
    // Takes the socket out of the set without closing it; null when it is
    // not in the set or bytes wait to be written.
    std::optional<ReleasedSocket> Release(int socket);
    // Takes an open, connected socket as the set's connection, reported
    // through the connect event like one Connect made, with the record of
    // what it carried so far: writes must repeat the record's written bytes,
    // which are then not written again (a write that differs closes the
    // socket: the peer already has other bytes), and its read bytes arrive
    // as if just read once the writes before them were repeated.
    int Adopt(int socket, std::uint32_t address, std::vector<RecordedChunk> record);

    // One step of the event loop (see socket_set.cpp). The wait is limited by
    // `timeout` when given, else by SetWaitTimeout's value.
    SocketEvents ProcessEvents(std::optional<std::chrono::milliseconds> timeout = std::nullopt);

    // Sends a whole message: 0 sent, 10035 partly sent (the rest goes on the
    // next write event), 997 earlier bytes still pending, 10058 slot closed,
    // 87 socket not in the set, 10057 connection not completed, another error
    // closes the slot. `claim`, when given, is called under the set's lock
    // right before the first byte is written; when it returns false nothing
    // is written and the result is 995.
    int Send(int socket, std::string_view bytes, const std::function<bool()>& claim = {});

    // Offers the socket's received bytes to `consume`, which returns how many
    // it took from the front; those are removed. Event thread only.
    void ConsumeReceived(int socket, const std::function<std::size_t(std::string_view)>& consume);

    // Sockets that are open: not closed and not shutting down. Event thread.
    std::vector<int> OpenSockets();

    // Closes every slot (the next step returns 10057).
    void CloseAll();
    // Shuts `socket` down in both directions; the event thread then sees its
    // close. Used when the stream can no longer be trusted.
    void Abort(int socket);
    // Ends the event thread's current wait; its step returns 0 without events.
    void Wake();

    // A slot whose receive buffer holds this many bytes is not read from until
    // its owner consumed some; the bytes wait in the kernel instead.
    void SetReceiveLimit(std::size_t bytes);
    // Event-wait time-out; negative waits without limit (the default).
    void SetWaitTimeout(std::chrono::milliseconds timeout);
    // A sender that met 997 takes a ticket before its Send and then waits
    // until a slot's pending bytes have gone, a slot closed, the time-out
    // passed, or send waits are interrupted (until the next Connect).
    std::uint64_t SendProgressTicket();
    void WaitForSendProgress(std::uint64_t ticket, std::chrono::milliseconds timeout);
    void InterruptSendWaits();

    LinkState State();
    std::size_t SlotCount();

  private:
    class PriorityLock;

    void CloseSlot(std::size_t index);
    void BeginConnecting();
    static void AppendToRecord(SocketSlot& slot, bool sent, std::string_view bytes);
    // Moves the record's read bytes that are due into the receive buffer.
    static void ReleaseReplayedReads(SocketSlot& slot);
    // Matches written bytes against the record; false when they differ.
    static bool RepeatRecordedWrites(SocketSlot& slot, std::string_view& bytes);
    int SendLoop(SocketSlot& slot, std::string_view bytes, std::size_t& accepted);
    void HandleSlotEvents(std::size_t index, short revents, SocketEvents& out);
    SocketSlot* FindSlot(int socket);
    void NoteSendProgress();

    std::mutex mutex_;
    std::mutex gateMutex_;
    std::condition_variable gateCv_;
    int priorityWaiters_ = 0;
    int wakeFd_ = -1;
    std::uint64_t generation_ = 0;  // changes whenever slots come or go
    int pollers_ = 0;               // threads between taking their view and leaving poll

    std::vector<SocketSlot> slots_;
    std::size_t nextIndex_ = 0;
    LinkState linkState_ = LinkState::Empty;
    std::string scratch_;
    std::vector<pollfd> handles_;  // event thread only: what it waits for
    std::chrono::milliseconds waitTimeout_{-1};
    std::size_t receiveLimit_ = SIZE_MAX;
    bool recording_ = false;

    std::mutex progressMutex_;
    std::condition_variable progressCv_;
    std::uint64_t progressCount_ = 0;
    bool sendWaitsInterrupted_ = false;  // guarded by progressMutex_
};

}  // namespace zol
