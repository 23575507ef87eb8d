// SpeechQueue: the entries waiting to be spoken, ordered by class (commands
// first, then priority 2, 1 and the rest), first in first out within a class.
// It holds at most a fixed number of entries: one more drops the oldest
// entry of the least urgent class, so a voice that falls behind never makes
// the queue grow without end.
//
// Thread-safety: every member may be called from any thread; the lock is
// held only while entries are linked, unlinked or read, never while speaking.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <mutex>
#include <optional>
#include <vector>

#include "client/core/speech/speech_request.h"

namespace zol {

class SpeechQueue {
  public:
    static constexpr std::size_t kDefaultCapacity = 256;

    struct Entry {
        std::uint64_t id = 0;  // increases by 1 per queued entry
        int speechClass = 0;   // 1 most urgent to 4 least
        SpeechRequest request;
    };

    explicit SpeechQueue(std::size_t capacity = kDefaultCapacity);

    // The class an entry of this request gets: 1 for any command but
    // speaking, otherwise 2 for priority 2, 3 for priority 1, 4 for the rest.
    static int ClassOf(const SpeechRequest& request);

    // Queues the request behind every entry of its class or a more urgent
    // one; returns its id.
    std::uint64_t Push(SpeechRequest request);

    std::optional<Entry> Head() const;
    std::optional<std::uint64_t> HeadId() const;

    // Takes E out of the queue after it was worked on: a StopAndDrop entry
    // drops every entry queued up to it; an entry interrupted by a more
    // urgent one stays queued (it is spoken again from the start) unless
    // that one is a stop, which removes both, or a StopAndDrop, which drops
    // every entry up to E.
    void Settle(const Entry& entry, bool interrupted);

    std::size_t Size() const;
    std::vector<Entry> Entries() const;  // in speaking order
    std::uint64_t Dropped() const;       // entries dropped for lack of room

  private:
    using List = std::list<Entry>;

    void RemoveLocked(std::uint64_t id);
    void RemoveUpToLocked(std::uint64_t id);
    void DropForRoomLocked();

    const std::size_t capacity_;
    mutable std::mutex mutex_;
    List entries_;
    std::uint64_t nextId_ = 1;
    std::uint64_t dropped_ = 0;
};

}  // namespace zol
