// Published<T>: a value that one thread replaces as a whole and others read
// as a whole, so a reader never sees half of an update. For settings that a
// worker reads while the user-interface thread may change them.
//
// Thread-safety: Publish and Snapshot from any thread at any time.
#pragma once

#include <mutex>
#include <utility>

namespace zol {

template <typename T>
class Published {
  public:
    explicit Published(T initial = T{}) : value_(std::move(initial)) {}
    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;

    void Publish(T value) {
        std::lock_guard lock(mutex_);
        value_ = std::move(value);
    }

    // A copy of the latest published value.
    T Snapshot() const {
        std::lock_guard lock(mutex_);
        return value_;
    }

  private:
    mutable std::mutex mutex_;
    T value_;
};

}  // namespace zol
