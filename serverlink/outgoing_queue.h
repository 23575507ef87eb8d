// OutgoingQueue: messages waiting to be written, first in first out.
// Thread-safety: every operation may be called from any thread.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace zol {

struct PendingRequest;

struct OutgoingMessage {
    std::uint32_t requestId = 0;  // the pending entry this message belongs to
    // The request whose message this is; null for a raw message, whose
    // bytes are kept here instead.
    std::shared_ptr<PendingRequest> request;
    std::string bytes;
};

class OutgoingQueue {
  public:
    void Push(OutgoingMessage message);
    // Puts a message taken with Pop back in front.
    void PushFront(OutgoingMessage message);
    std::optional<OutgoingMessage> Pop();
    // Pops the front message only while the one with `requestId` is still
    // queued, so that a caller writes no further than its own message.
    std::optional<OutgoingMessage> PopThrough(std::uint32_t requestId);
    void Remove(std::uint32_t requestId);
    void Clear();
    bool Empty();

  private:
    std::mutex mutex_;
    std::deque<OutgoingMessage> messages_;
};

}  // namespace zol
