// LinkEventPoster: the client's observer of its server link. It turns the
// link's reports into application events posted to the main frame: pushes
// (0x0E), connection lost (0x0F), the relay's receive task ended (0x18), too
// many missed pings (0x1A). While a trace viewer wants them, copies of the
// messages sent and received (0x15, 0x16) go straight to its sink, not
// through the frame: a burst would otherwise queue one event and one full
// copy per message in front of everything else the frame has to do.
//
// Every event carries the generation of the connection it came from. The
// generation is counted up only while no connection is open (all threads of
// the last one joined), so no report of an old connection can carry the new
// number; the frame drops events of an earlier generation.
//
// Thread-safety: the On* calls come from the link's threads; they post and
// return, never block and never send. The target is set before the first
// open and cleared only after the link is closed for good.
#pragma once

#include <QObject>

#include <atomic>
#include <cstdint>
#include <string_view>

#include "client/core/app_messages.h"
#include "serverlink/link_observer.h"

namespace zol {

class LinkEventPoster : public LinkObserver {
  public:
    void SetTarget(QObject* target) { target_.store(target); }

    // With no connection open: the next connection's number.
    std::uint64_t BeginConnection() { return generation_.fetch_add(1) + 1; }
    std::uint64_t Generation() const { return generation_.load(); }

    // Takes a copy of each message sent or received; it is called on the
    // link's threads, so it must be cheap and never block for long.
    using TraceSink = void (*)(AppMessage message, std::string_view bytes);
    // Trace copies cost a copy of every message; only while wanted (null: off).
    void SetTraceSink(TraceSink sink) { traceSink_.store(sink); }

    void OnUnsolicitedFrame(std::string_view frame) override;
    void OnConnectionLost(std::string_view reason) override;
    void OnMissedPingLimit(int missedPings) override;
    void OnRelayReceiveEnded(int lastResult) override;
    void OnMessageSent(std::string_view message) override;
    void OnFrameReceived(std::string_view frame) override;

  private:
    void Post(AppMessage message, std::intptr_t wParam, std::string_view bytes);

    std::atomic<QObject*> target_{nullptr};
    std::atomic<std::uint64_t> generation_{0};
    std::atomic<TraceSink> traceSink_{nullptr};
};

}  // namespace zol
