#include "simulator/push_burst.h"

#include "simulator/design_entries.h"
#include "simulator/sim_server.h"

namespace zol {

namespace {

constexpr int kSlicePushes = 1000;
// Below the cut-off for unread bytes, with room for a slice.
constexpr qint64 kHighWaterBytes = 1024 * 1024;
// Waits of 1 ms a burst spends at most on receivers behind; then the rest
// goes out at once, and a client that does not read is cut off.
constexpr int kMaxWaits = 2000;

}  // namespace

PushBurst::PushBurst(SimServer& server, int target, int count, std::vector<int> objectIds)
    : QObject(&server),
      server_(server),
      target_(target),
      count_(count),
      objectIds_(std::move(objectIds)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &PushBurst::Step);
}

void PushBurst::Start() {
    timer_.start(0);
}

void PushBurst::Step() {
    if (waits_ < kMaxWaits && server_.LargestBacklog(target_) > kHighWaterBytes) {
        ++waits_;
        timer_.start(1);
        return;
    }
    if (SendSlice()) {
        timer_.start(0);
    } else {
        deleteLater();
    }
}

bool PushBurst::SendSlice() {
    SimServerState& state = server_.State();
    // Looked up per slice: nothing holds a design object across turns.
    std::vector<SimObject*> cycle;
    for (int id : objectIds_) {
        SimObject* object = state.design.FindObject(id);
        if (object == nullptr)
            return false;
        cycle.push_back(object);
    }
    const int end = std::min(count_, next_ + kSlicePushes);
    for (; next_ < end; ++next_) {
        SimObject& object = *cycle[static_cast<std::size_t>(next_) % cycle.size()];
        object.level = next_ % 101;
        server_.PushTo(target_, EncodeObjectUpdate(object, state.design.designTimeStamp,
                                                   state.config.versionMajor));
    }
    return next_ < count_;
}

}  // namespace zol
