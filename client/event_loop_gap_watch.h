// EventLoopGapWatch: how long the event loop was held up, for the programs
// that measure the client (zolclient's measuring switches, bench/). A 10 ms
// precise timer ticks; the longest time between two ticks is the longest
// gap between turns of the loop (never less than the tick itself).
//
// Thread-safety: the thread whose event loop is watched only.
#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <functional>

namespace zol {

class EventLoopGapWatch {
  public:
    static constexpr int kTickMs = 10;

    EventLoopGapWatch();
    // Starts counting from now; `onTick` runs after every tick.
    void Start(std::function<void()> onTick = {});
    void Stop();
    qint64 LongestGapMs() const { return longestGapMs_; }

  private:
    QTimer tick_;
    QElapsedTimer sinceTick_;
    qint64 longestGapMs_ = 0;
    std::function<void()> onTick_;
};

}  // namespace zol
