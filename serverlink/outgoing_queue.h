// OutgoingQueue: messages waiting for the send thread, first in first out.
// Thread-safety: every operation may be called from any thread.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

namespace zol {

struct OutgoingMessage {
    std::uint32_t requestId = 0;  // the pending entry this message belongs to
    std::string bytes;
};

class OutgoingQueue {
  public:
    void Push(OutgoingMessage message);
    // Puts a message taken with Pop back in front.
    void PushFront(OutgoingMessage message);
    std::optional<OutgoingMessage> Pop();
    void Clear();
    bool Empty();

  private:
    std::mutex mutex_;
    std::deque<OutgoingMessage> messages_;
};

}  // namespace zol
