#include "serverlink/relay_link.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "platform/socket_errors.h"
#include "serverlink/link_observer.h"
#include "serverlink/relay_crypto.h"
#include "serverlink/request_engine.h"
#include "serverlink/server_link.h"

namespace zol {
namespace {

constexpr const char* kRelayLogBaseName = "ZOLCloudWClient";
constexpr std::chrono::milliseconds kHostMessagePoll{500};

// Results after which the receive task keeps going: the socket layer's
// wake-up and time-out, and the ends of a connection the relay may cause.
bool ReceiveGoesOn(int result) {
    return result == 0 || result == kErrorTimeout || result == kWsaEConnAborted ||
           result == kWsaEConnReset || result == kWsaEShutdown || result == kWsaEConnRefused;
}

}  // namespace

std::string JsonEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out.append(escaped);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

RelayLink::RelayLink(const RelaySettings& settings, const LinkTimeouts& timeouts,
                     RelayHostLookup::Resolver resolver)
    : settings_(settings),
      timeouts_(timeouts),
      lookup_(std::move(resolver)),
      session_([this](std::string_view text) { Log(text); },
               [this](const std::string& host) { return lookup_.Resolve(host); }) {
    // A relay may send without pause: reading stops while a read's worth
    // waits unprocessed, and the rest stays with the kernel.
    control_.SetReceiveLimit(kReceiveChunkSize);
}

RelayLink::~RelayLink() {
    CloseRelay();
}

std::chrono::milliseconds RelayLink::Now() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

void RelayLink::Log(std::string_view text) {
    std::shared_ptr<DailyLog> log;
    {
        std::lock_guard lock(logMutex_);
        log = log_;
    }
    if (log)
        log->WriteLogText(text, true, true);
}

void RelayLink::CloseLog() {
    std::lock_guard lock(logMutex_);
    log_.reset();
}

int RelayLink::OpenRelay(const std::string& credential) {
    if (open_.load())
        CloseRelay();
    if (settings_.agentLog != 0) {
        auto log = std::make_shared<DailyLog>(settings_.logFolder, settings_.logKeepDays);
        // A log that cannot be opened leaves the relay working without one.
        if (log->OpenDailyLog(kRelayLogBaseName)) {
            std::lock_guard lock(logMutex_);
            log_ = std::move(log);
        }
    }
    Log("AgentConnection: Begin");

    lookup_.Resume();
    const std::uint32_t address = lookup_.Resolve(settings_.agentAddress);
    if (address == 0) {
        Log("Agent Connection: Can't resolve address");
        CloseLog();
        return kRelayUnresolvable;
    }

    stopping_.store(false);
    closing_.store(false);
    connectedHandle_.store(-1);
    peakUnprocessed_.store(0);
    for (Event* event : {&sendEvent_, &dataEvent_, &connectedOrEnded_, &announcedEvent_,
                         &receiveEnded_, &sendEnded_, &decodeEnded_}) {
        event->ResetEvent();
    }
    session_.Clear();
    if (control_.Connect(address, static_cast<std::uint16_t>(settings_.agentPort)) != 0) {
        Log("Agent Connection: Connect failed");
        CloseLog();
        return kRelayConnectFailed;
    }
    open_.store(true);
    receiveTask_ = std::thread([this] { ReceiveTask(); });

    connectedOrEnded_.Wait(SecondsToWait(timeouts_.serverConnectTimeout));
    if (connectedHandle_.load() < 0) {
        Log("Agent Connection: Connect timeout");
        CloseRelay();
        return kRelayConnectFailed;
    }

    sendTask_ = std::thread([this] { SendTask(); });
    decodeTask_ = std::thread([this] { DecodeAndPingTask(); });

    const std::string announcement =
        "{\"type\":\"client\",\"name\":\"" + JsonEscape(credential) + "\"}";
    Log("Agent Connection: Send to cloud " + announcement);
    QueueRelayMessage(announcement);

    nextPingMs_.store((Now() + SecondsToWait(settings_.agentPingSeconds)).count());
    Log("Agent Connection: Open");
    return kRelayOpen;
}

void RelayLink::QueueRelayMessage(std::string_view json) {
    std::string line = EncryptAndEncode(json);
    {
        std::lock_guard lock(sendQueueMutex_);
        sendQueue_.push_back(std::move(line));
    }
    sendEvent_.Set();
}

void RelayLink::ReceiveTask() {
    int result = 0;
    int lastLineResult = 0;
    bool everConnected = false;
    for (;;) {
        const SocketEvents events = control_.ProcessEvents();
        result = events.result;
        if ((events.eventMask & kEventConnect) != 0 && result == 0) {
            session_.Clear();  // a fresh plaintext buffer for the new connection
            everConnected = true;
            connectedHandle_.store(events.socket);
            connectedOrEnded_.Set();
        }
        const bool ended = (events.eventMask & kEventClose) != 0;
        if (ended)
            Log("Agent connection: Socket close event");
        if ((events.received || ended) && ProcessReceived(events.socket, ended, lastLineResult)) {
            dataEvent_.Set();
        }
        if (!ReceiveGoesOn(result))
            break;
    }
    if (!closing_.load()) {
        char text[96];
        std::snprintf(text, sizeof text, "Agent connection : Receive task ending %d %d", result,
                      lastLineResult);
        Log(text);
        // A control connection that never came up is reported by OpenRelay's
        // own result; a late "relay ended" would only close whatever
        // connection the program holds by the time it is handled.
        if (everConnected && observer_ != nullptr) {
            observer_->OnRelayReceiveEnded(lastLineResult);
        }
    }
    receiveEnded_.Set();
    connectedOrEnded_.Set();
}

// Takes the complete lines out of the socket set and processes them after
// its lock is released, so that a send or a close never waits for line
// processing. When the connection has ended an unended rest is dropped: no
// line feed will come for it, and the set keeps the socket until it is gone.
bool RelayLink::ProcessReceived(int socket, bool connectionEnded, int& lastLineResult) {
    std::string lines;
    std::size_t unended = 0;
    control_.ConsumeReceived(socket, [&](std::string_view received) {
        if (received.size() > peakUnprocessed_.load())
            peakUnprocessed_.store(received.size());
        const std::size_t usable = RelaySession::UsableLength(received);
        lines.assign(received.substr(0, usable));
        if (!connectionEnded)
            return usable;
        unended = received.size() - usable;
        return received.size();
    });
    if (unended > 0) {
        char text[96];
        std::snprintf(text, sizeof text,
                      "Agent Received %zu bytes: no line end before close, dropped", unended);
        Log(text);
    }
    if (lines.empty())
        return false;
    session_.ScanReceived(lines, lastLineResult);
    return true;
}

void RelayLink::SendTask() {
    while (!stopping_.load()) {
        sendEvent_.Wait();
        for (;;) {
            if (stopping_.load())
                break;
            std::string line;
            {
                std::lock_guard lock(sendQueueMutex_);
                if (sendQueue_.empty())
                    break;
                line = std::move(sendQueue_.front());
                sendQueue_.pop_front();
            }
            // Sent once, whatever the socket says: a ping or an announcement
            // that cannot go now is worth nothing later.
            control_.Send(connectedHandle_.load(), line);
        }
    }
    sendEnded_.Set();
}

void RelayLink::DecodeAndPingTask() {
    // Never a busy loop, even with a decode time-out of 0.
    const auto wait = SecondsToWait(std::max<std::int32_t>(timeouts_.decodeTimeout, 1));
    while (!stopping_.load()) {
        dataEvent_.Wait(wait);
        if (stopping_.load())
            break;
        session_.RunDecodePass([this] { PingIfDue(); });
        if (session_.Announced())
            announcedEvent_.Set();
    }
    decodeEnded_.Set();
}

// Runs under the plaintext lock, as the design's ping does.
void RelayLink::PingIfDue() {
    const std::int64_t now = Now().count();
    if (now <= nextPingMs_.load())
        return;
    char ping[32];
    std::snprintf(ping, sizeof ping, "{\"ping\":%d}", std::rand());
    QueueRelayMessage(ping);
    nextPingMs_.store(now + SecondsToWait(settings_.agentPingSeconds).count());
}

void RelayLink::StopTask(std::thread& task, Event& ended) {
    if (!task.joinable())
        return;
    // Every wait of a task ends on the stop, so a late task is slow, not
    // stuck; leaving it would let it outlive the link it uses.
    if (!ended.Wait(SecondsToWait(timeouts_.taskTerminateWaitTime)))
        overdueTasks_.fetch_add(1);
    task.join();
}

void RelayLink::CloseRelay() {
    Log("Agent Connection: End");
    if (open_.load()) {
        closing_.store(true);
        stopping_.store(true);
        lookup_.Interrupt();  // the decode task may be waiting for a host lookup
        sendEvent_.Set();
        StopTask(sendTask_, sendEnded_);
        control_.CloseAll();
        StopTask(receiveTask_, receiveEnded_);
        dataEvent_.Set();
        StopTask(decodeTask_, decodeEnded_);
        {
            std::lock_guard lock(sendQueueMutex_);
            sendQueue_.clear();
        }
        session_.Clear();
        connectedHandle_.store(-1);
        nextPingMs_.store(0);
        open_.store(false);
        closing_.store(false);
    }
    CloseLog();
}

int RelayLink::ResolveServerViaRelay(ServerTarget& target) {
    if (target.relayCredential.empty())
        return kRelayNoCredential;
    const int opened = OpenRelay(target.relayCredential);
    if (opened != kRelayOpen)
        return opened;

    // Polls of 500 ms; 0 checks once without waiting.
    const std::int32_t polls = settings_.agentPostConnectWaitSeconds;
    if (polls > 0) {
        announcedEvent_.Wait(kHostMessagePoll * polls);
    }
    const std::optional<AnnouncedServer> announced = session_.Announced();
    if (!announced) {
        CloseRelay();
        return kRelayServerNotOnline;
    }
    target.address = announced->address;
    target.port = announced->port;
    return 0;
}

int RelayLink::BindDataConnection(ServerLink& link) {
    link.SetBinding(true);
    const std::optional<AnnouncedServer> announced = session_.Announced();
    const std::string binding = "{\"type\":\"client\",\"uuid\":\"client-" +
                                JsonEscape(announced ? announced->uuid : std::string()) + "\"}";
    Log("Agent Connection: Begin client connect. Sending " + binding);

    auto request = std::make_shared<PendingRequest>();
    request->message = EncryptAndEncode(binding);
    const std::uint32_t id = link.Requests().Enqueue(request);
    const bool answered = id != 0 &&
                          request->sentEvent.Wait(SecondsToWait(timeouts_.serverSendTimeout)) &&
                          request->replyEvent.Wait(SecondsToWait(timeouts_.serverReplyTimeout));
    if (answered) {
        const std::optional<std::string> plaintext = DecodeAndDecrypt(request->reply);
        Log("Agent Connection: Begin client connect. Received " +
            plaintext.value_or("(undecodable)"));
    } else {
        if (id != 0)
            link.Requests().Remove(id);
        Log("Agent Connection: Begin client connect. No reply");
    }
    link.SetBinding(false);
    return 0;
}

}  // namespace zol
