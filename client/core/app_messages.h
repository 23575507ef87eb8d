// The application messages of ZOL Client (WM_APP + n in the original), as Qt
// events of type QEvent::User + n posted with QCoreApplication::postEvent.
//
// Each event carries the two message parameters; where the original passed a
// heap block (a copy of a frame, a text, a status record) the event owns it
// as `payload` and frees it with itself, so a receiver that ignores the
// event, or a window that is gone, leaks nothing.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <cstdint>
#include <memory>
#include <string>

namespace zol {

enum class AppMessage : int {
    ObjectChanged = 0x0B,       // to the open control pop-up; lParam object id
    ConnectStage = 0x0C,        // to the connect dialog; wParam state, lParam stage
    ConnectText = 0x0D,         // to the connect dialog; wParam line, payload text
    PushedMessage = 0x0E,       // to the main frame; wParam length, payload frame bytes
    ConnectionLost = 0x0F,      // to the main frame
    ShowDisplay = 0x10,         // to the main frame (wParam force, lParam id) or status bar
    UiCommand = 0x11,           // to the main frame; wParam command, lParam argument
    UserActivity = 0x12,        // to the view
    LogAdd = 0x13,              // to the log window; wParam number, payload text
    TraceSent = 0x15,           // to the remote access viewer; wParam length, payload bytes
    TraceReceived = 0x16,       // to the remote access viewer; wParam length, payload bytes
    ExtendedStatus = 0x17,      // to the extended-status tile; payload status record
    RelayReceiveEnded = 0x18,   // to the main frame; wParam last line result
    TraceText = 0x19,           // to the remote access viewer; payload text
    TooManyMissedPings = 0x1A,  // to the main frame
};

// The Windows message number, for traces and logs (WM_APP is 0x8000).
constexpr int WindowsMessageNumber(AppMessage m) {
    return 0x8000 + static_cast<int>(m);
}
constexpr QEvent::Type EventType(AppMessage m) {
    return static_cast<QEvent::Type>(QEvent::User + static_cast<int>(m));
}

// Base of every heap block that travels with a message.
struct AppPayload {
    virtual ~AppPayload() = default;
};

// Bytes or a text (frames, trace copies, progress and log texts).
struct TextPayload : AppPayload {
    explicit TextPayload(std::string t) : text(std::move(t)) {}
    std::string text;
};

// What the server link's reports carry: the connection they came from (its
// generation, counted up for every open), and for a push or a trace copy the
// bytes. The main frame drops reports of an earlier connection.
struct LinkPayload : TextPayload {
    LinkPayload(std::uint64_t g, std::string bytes)
        : TextPayload(std::move(bytes)), generation(g) {}
    std::uint64_t generation;
};

// UI commands of AppMessage::UiCommand (first parameter).
enum class UiCommandCode : int {
    Connect = 0,
    ConnectAlternate = 1,
    Reconnect = 2,
    ClientOptions = 3,
    Exit = 4,
    Minimise = 5,
    FullScreen = 6,
    Lock = 7,
    Unlock = 8,
    Back = 9,
    Home = 10,
    ServerStatus = 11,
    LogView = 12,
};

class AppMessageEvent : public QEvent {
  public:
    AppMessageEvent(AppMessage message, std::intptr_t wParam, std::intptr_t lParam,
                    std::unique_ptr<AppPayload> payload = nullptr)
        : QEvent(EventType(message)),
          message_(message),
          wParam_(wParam),
          lParam_(lParam),
          payload_(std::move(payload)) {}

    AppMessage Message() const { return message_; }
    std::intptr_t WParam() const { return wParam_; }
    std::intptr_t LParam() const { return lParam_; }
    AppPayload* Payload() const { return payload_.get(); }
    // The payload as the given kind, or null when it is absent or another kind.
    template <typename T>
    T* PayloadAs() const {
        return dynamic_cast<T*>(payload_.get());
    }

    // The event as an application message, or null when it is another event.
    static AppMessageEvent* From(QEvent* event) {
        const int type = event->type();
        if (type < EventType(AppMessage::ObjectChanged) ||
            type > EventType(AppMessage::TooManyMissedPings)) {
            return nullptr;
        }
        return dynamic_cast<AppMessageEvent*>(event);
    }

  private:
    AppMessage message_;
    std::intptr_t wParam_;
    std::intptr_t lParam_;
    std::unique_ptr<AppPayload> payload_;
};

// Posts a message to `receiver` (any thread may post). With no receiver the
// payload is freed at once, as a post to a missing window would drop it.
inline void PostAppMessage(QObject* receiver, AppMessage message, std::intptr_t wParam = 0,
                           std::intptr_t lParam = 0,
                           std::unique_ptr<AppPayload> payload = nullptr) {
    if (receiver == nullptr)
        return;
    QCoreApplication::postEvent(receiver,
                                new AppMessageEvent(message, wParam, lParam, std::move(payload)));
}

}  // namespace zol
