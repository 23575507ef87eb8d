#include "client/core/speech/speech_queue.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace zol {

SpeechQueue::SpeechQueue(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

int SpeechQueue::ClassOf(const SpeechRequest& request) {
    if (request.command != static_cast<std::int32_t>(SpeechCommand::Speak))
        return 1;
    switch (request.priority) {
        case 2:
            return 2;
        case 1:
            return 3;
        default:
            return 4;
    }
}

std::uint64_t SpeechQueue::Push(SpeechRequest request) {
    Entry entry{0, ClassOf(request), std::move(request)};
    std::lock_guard lock(mutex_);
    entry.id = nextId_++;
    // After the last entry whose class is not less urgent.
    auto at = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& queued) {
        return queued.speechClass > entry.speechClass;
    });
    const std::uint64_t id = entry.id;
    entries_.insert(at, std::move(entry));
    if (entries_.size() > capacity_)
        DropForRoomLocked();
    return id;
}

void SpeechQueue::DropForRoomLocked() {
    // The least urgent class is at the back; its oldest entry is the first
    // of its run.
    const int leastUrgent = entries_.back().speechClass;
    auto oldest = std::prev(entries_.end());
    while (oldest != entries_.begin() && std::prev(oldest)->speechClass == leastUrgent)
        --oldest;
    entries_.erase(oldest);
    ++dropped_;
}

std::optional<SpeechQueue::Entry> SpeechQueue::Head() const {
    std::lock_guard lock(mutex_);
    if (entries_.empty())
        return std::nullopt;
    return entries_.front();
}

std::optional<std::uint64_t> SpeechQueue::HeadId() const {
    std::lock_guard lock(mutex_);
    if (entries_.empty())
        return std::nullopt;
    return entries_.front().id;
}

void SpeechQueue::Settle(const Entry& entry, bool interrupted) {
    std::lock_guard lock(mutex_);
    if (entry.request.command == static_cast<std::int32_t>(SpeechCommand::StopAndDrop)) {
        RemoveUpToLocked(entry.id);
        return;
    }
    if (!interrupted || entries_.empty()) {
        RemoveLocked(entry.id);
        return;
    }
    const Entry& interrupter = entries_.front();
    switch (static_cast<SpeechCommand>(interrupter.request.command)) {
        case SpeechCommand::Stop: {
            const std::uint64_t stopId = interrupter.id;
            RemoveLocked(entry.id);
            RemoveLocked(stopId);
            return;
        }
        case SpeechCommand::StopAndDrop:
            RemoveUpToLocked(entry.id);
            return;
        default:
            // A more urgent text: this one waits and is spoken again later.
            return;
    }
}

void SpeechQueue::RemoveLocked(std::uint64_t id) {
    entries_.remove_if([id](const Entry& queued) { return queued.id == id; });
}

void SpeechQueue::RemoveUpToLocked(std::uint64_t id) {
    entries_.remove_if([id](const Entry& queued) { return queued.id <= id; });
}

std::size_t SpeechQueue::Size() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

std::vector<SpeechQueue::Entry> SpeechQueue::Entries() const {
    std::lock_guard lock(mutex_);
    return {entries_.begin(), entries_.end()};
}

std::uint64_t SpeechQueue::Dropped() const {
    std::lock_guard lock(mutex_);
    return dropped_;
}

}  // namespace zol
