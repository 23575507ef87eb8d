#include "client/core/link_event_poster.h"

namespace zol {

void LinkEventPoster::Post(AppMessage message, std::intptr_t wParam, std::string_view bytes) {
    PostAppMessage(target_.load(), message, wParam, 0,
                   std::make_unique<LinkPayload>(generation_.load(), std::string(bytes)));
}

void LinkEventPoster::OnUnsolicitedFrame(std::string_view frame) {
    Post(AppMessage::PushedMessage, static_cast<std::intptr_t>(frame.size()), frame);
}

void LinkEventPoster::OnConnectionLost(std::string_view) {
    Post(AppMessage::ConnectionLost, 0, {});
}

void LinkEventPoster::OnMissedPingLimit(int missedPings) {
    Post(AppMessage::TooManyMissedPings, missedPings, {});
}

void LinkEventPoster::OnRelayReceiveEnded(int lastResult) {
    Post(AppMessage::RelayReceiveEnded, lastResult, {});
}

void LinkEventPoster::OnMessageSent(std::string_view message) {
    if (TraceSink sink = traceSink_.load())
        sink(AppMessage::TraceSent, message);
}

void LinkEventPoster::OnFrameReceived(std::string_view frame) {
    if (TraceSink sink = traceSink_.load())
        sink(AppMessage::TraceReceived, frame);
}

}  // namespace zol
