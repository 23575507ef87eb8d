// Event: a waitable flag standing in for a Windows event object.
// Thread-safe: any thread may Set, Reset or Wait at any time.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace zol {

class Event {
  public:
    enum class Reset { Manual, Auto };

    explicit Event(Reset mode = Reset::Manual, bool initiallySet = false)
        : autoReset_(mode == Reset::Auto), set_(initiallySet) {}
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    // Signals the event. A manual-reset event wakes every waiter and stays set;
    // an auto-reset event releases exactly one waiter and clears itself.
    void Set();
    // Clears the event.
    void ResetEvent();
    // True when the event is set now (an auto-reset event is not consumed).
    bool IsSet() const;

    // Waits until the event is set; true when it was, false on time-out.
    // A negative time-out waits without limit.
    bool Wait(std::chrono::milliseconds timeout);
    void Wait() { Wait(std::chrono::milliseconds(-1)); }

  private:
    const bool autoReset_;
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    bool set_;
};

}  // namespace zol
