#include "serverlink/outgoing_queue.h"

#include <algorithm>

namespace zol {

void OutgoingQueue::Push(OutgoingMessage message) {
    std::lock_guard lock(mutex_);
    messages_.push_back(std::move(message));
}

void OutgoingQueue::PushFront(OutgoingMessage message) {
    std::lock_guard lock(mutex_);
    messages_.push_front(std::move(message));
}

std::optional<OutgoingMessage> OutgoingQueue::Pop() {
    std::lock_guard lock(mutex_);
    if (messages_.empty()) {
        return std::nullopt;
    }
    OutgoingMessage message = std::move(messages_.front());
    messages_.pop_front();
    return message;
}

std::optional<OutgoingMessage> OutgoingQueue::PopThrough(std::uint32_t requestId) {
    std::lock_guard lock(mutex_);
    auto own = std::find_if(messages_.begin(), messages_.end(),
                            [&](const OutgoingMessage& m) { return m.requestId == requestId; });
    if (own == messages_.end()) {
        return std::nullopt;
    }
    OutgoingMessage message = std::move(messages_.front());
    messages_.pop_front();
    return message;
}

void OutgoingQueue::Remove(std::uint32_t requestId) {
    std::lock_guard lock(mutex_);
    std::erase_if(messages_, [&](const OutgoingMessage& m) { return m.requestId == requestId; });
}

void OutgoingQueue::Clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
}

bool OutgoingQueue::Empty() {
    std::lock_guard lock(mutex_);
    return messages_.empty();
}

}  // namespace zol
