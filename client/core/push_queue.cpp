#include "client/core/push_queue.h"

#include <QElapsedTimer>

namespace zol {

PushQueue::PushQueue(Apply apply, int sliceMs, QObject* parent)
    : QObject(parent), apply_(std::move(apply)), sliceMs_(sliceMs) {
    next_.setSingleShot(true);
    connect(&next_, &QTimer::timeout, this, &PushQueue::ApplySlice);
}

void PushQueue::Add(std::uint64_t generation, std::string frame) {
    pending_.emplace_back(generation, std::move(frame));
    if (!next_.isActive())
        next_.start(0);
}

bool PushQueue::ApplyNext() {
    if (pending_.empty())
        return false;
    // Taken out first: applying it may turn the loop and start a slice.
    auto [generation, frame] = std::move(pending_.front());
    pending_.pop_front();
    apply_(generation, frame);
    return true;
}

void PushQueue::ApplySlice() {
    QElapsedTimer slice;
    slice.start();
    while (ApplyNext() && slice.elapsed() < sliceMs_) {
    }
    if (!pending_.empty() && !next_.isActive())
        next_.start(0);
}

void PushQueue::Flush() {
    while (ApplyNext()) {
    }
    next_.stop();
}

}  // namespace zol
