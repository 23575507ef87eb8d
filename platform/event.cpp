#include "event.h"

namespace zol {

void Event::Set() {
    {
        std::lock_guard lock(mutex_);
        set_ = true;
    }
    if (autoReset_) {
        cv_.notify_one();
    } else {
        cv_.notify_all();
    }
}

void Event::ResetEvent() {
    std::lock_guard lock(mutex_);
    set_ = false;
}

bool Event::IsSet() const {
    std::lock_guard lock(mutex_);
    return set_;
}

bool Event::Wait(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    auto ready = [this] { return set_; };
    if (timeout.count() < 0) {
        cv_.wait(lock, ready);
    } else if (!cv_.wait_for(lock, timeout, ready)) {
        return false;
    }
    if (autoReset_) {
        set_ = false;
    }
    return true;
}

}  // namespace zol
