// LinkObserver: how the server link reports what happens on the connection
// without knowing any user interface. The GUI client turns these calls into
// posted application events; the command-line program passes none.
//
// Calls arrive on the link's worker threads (or on the requesting thread for
// OnMissedPingLimit and OnMessageSent) and must not block for long, send
// requests (their replies arrive on the very thread that is calling) nor call
// back into OpenServerConnection / CloseServerConnection; post instead.
#pragma once

#include <string_view>

namespace zol {

class LinkObserver {
  public:
    virtual ~LinkObserver() = default;

    // A field-list frame that no waiting request took: a server push.
    virtual void OnUnsolicitedFrame(std::string_view /*frame*/) {}
    // The receive thread found no open socket any more. `reason` is empty for
    // a close or reset by the peer and names the fault when the link itself
    // dropped the connection because the server broke the framing.
    virtual void OnConnectionLost(std::string_view /*reason*/) {}
    // Consecutive failed pings reached the configured limit.
    virtual void OnMissedPingLimit(int /*missedPings*/) {}
    // The relay's receive task ended (reported by the relay through the link).
    virtual void OnRelayReceiveEnded(int /*lastResult*/) {}
    // Trace copies: every message queued for sending, every field-list frame
    // received (before it is matched).
    virtual void OnMessageSent(std::string_view /*message*/) {}
    virtual void OnFrameReceived(std::string_view /*frame*/) {}
};

}  // namespace zol
