// PushQueue: pushes on their way from the link to the dispatcher. Each push
// arrives as a posted event, and the event loop delivers every event posted
// so far in one pass: a burst of thousands, applied as they are delivered,
// would hold the loop (no paint, no timer) for as long as the burst takes.
// The queue takes them in at delivery and applies them in order, in slices
// of a few milliseconds, one slice per turn of the loop.
//
// Re-entrancy: applying a push may turn the event loop (a file fetch, a
// modal box); a slice started meanwhile goes on with the next push, as a
// posted push would have been delivered in that turn.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace zol {

class PushQueue : public QObject {
  public:
    // `apply` gets each push with the generation of the connection it came
    // from. A slice ends once it has run `sliceMs` (the push that crosses
    // it is finished).
    using Apply = std::function<void(std::uint64_t generation, std::string_view frame)>;
    PushQueue(Apply apply, int sliceMs, QObject* parent = nullptr);

    void Add(std::uint64_t generation, std::string frame);
    // Applies everything waiting now: before a message that must come after
    // the pushes posted ahead of it.
    void Flush();
    // One slice, as the loop runs it.
    void ApplySlice();
    std::size_t Pending() const { return pending_.size(); }

  private:
    // False when nothing was waiting.
    bool ApplyNext();

    Apply apply_;
    int sliceMs_;
    std::deque<std::pair<std::uint64_t, std::string>> pending_;
    QTimer next_;
};

}  // namespace zol
