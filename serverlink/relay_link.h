// RelayLink: the cloud relay. When the server is not reachable directly, the
// client opens a control connection to the relay host, announces itself with
// its relay credential, and learns from the relay where to open the data
// connection (address, port, session identifier). The data connection is the
// ordinary server connection; its first message binds it to the session.
// Every control message is JSON, AES-encrypted and carried as base64 text.
//
// The relay has three tasks while open: receive (drives the control socket
// and processes received lines), send (writes queued messages) and
// decode-and-ping (decodes what was received and pings the relay every
// agentPingSeconds). It plugs into ServerLink as its ServerRelayHook.
//
// Thread-safety: OpenRelay, CloseRelay, ResolveServerViaRelay and
// BindDataConnection from one controlling thread (the connect path);
// QueueRelayMessage from any thread. Lock order: plaintext lock (inside
// RelaySession), then the send-queue lock. Received lines are processed and
// the announced host resolved outside the control socket's lock and the
// plaintext lock, and every task's wait ends on the stop, so closing joins
// all three tasks promptly even while a host lookup hangs.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "platform/event.h"
#include "serverlink/daily_log.h"
#include "serverlink/link_timeouts.h"
#include "serverlink/relay_defaults.h"
#include "serverlink/relay_host_lookup.h"
#include "serverlink/relay_session.h"
#include "serverlink/server_relay_hook.h"
#include "serverlink/socket_set.h"

namespace zol {

class LinkObserver;

struct RelaySettings {
    std::string agentAddress = kDefaultRelayHost;
    std::int32_t agentPort = 2000;
    std::int32_t agentPostConnectWaitSeconds = 3;  // polls of 500 ms for the host message
    std::int32_t agentPingSeconds = 30;
    std::int32_t agentLog = 1;
    std::string logFolder = ".";   // the program's TempDirPath
    std::int32_t logKeepDays = 7;  // AuxLogSaveDays
};

// Results of opening the server connection through the relay.
inline constexpr int kRelayOpen = 3;             // OpenRelay: control connection up
inline constexpr int kRelayNoCredential = 4;     // empty relay credential
inline constexpr int kRelayUnresolvable = 5;     // relay host not resolvable
inline constexpr int kRelayConnectFailed = 6;    // control connection failed or timed out
inline constexpr int kRelayServerNotOnline = 9;  // no host message in time

class RelayLink : public ServerRelayHook {
  public:
    // Both references must outlive the link; they are read at each open.
    // `resolver` looks up the relay host and the announced host.
    RelayLink(const RelaySettings& settings, const LinkTimeouts& timeouts,
              RelayHostLookup::Resolver resolver = LookupIpv4);
    ~RelayLink() override;
    RelayLink(const RelayLink&) = delete;
    RelayLink& operator=(const RelayLink&) = delete;

    // Receives OnRelayReceiveEnded when the receive task ends on its own.
    void SetObserver(LinkObserver* observer) { observer_ = observer; }

    // Dials the control connection, starts the tasks and sends the
    // announcement with `credential`: 3 open, 5 unresolvable, 6 failed.
    int OpenRelay(const std::string& credential);
    // Stops the tasks, closes the control connection, forgets the session and
    // closes the relay log. Safe when nothing is open.
    void CloseRelay() override;
    // Encrypts and queues one JSON text for the send task.
    void QueueRelayMessage(std::string_view json);

    // 0 with target.address/port set to the announced data connection, or
    // 4, 5, 6, 9 (see above) with the relay closed again.
    int ResolveServerViaRelay(ServerTarget& target) override;
    // Sends the binding message on the fresh data connection and waits for
    // the relay's answer; the connection proceeds whatever it says. Always 0.
    int BindDataConnection(ServerLink& link) override;

    bool IsOpen() const { return open_.load(); }
    std::optional<AnnouncedServer> Announced() const { return session_.Announced(); }
    // Tasks that did not end within TaskTerminateWaitTime (joined all the same).
    int OverdueTasks() const { return overdueTasks_.load(); }
    // The most received bytes the control connection held unprocessed at
    // once since the last open; the receive limit keeps it below two reads.
    std::size_t PeakUnprocessedBytes() const { return peakUnprocessed_.load(); }

  private:
    void Log(std::string_view text);
    void CloseLog();
    void ReceiveTask();
    bool ProcessReceived(int socket, bool connectionEnded, int& lastLineResult);
    void SendTask();
    void DecodeAndPingTask();
    void PingIfDue();
    void StopTask(std::thread& task, Event& ended);
    static std::chrono::milliseconds Now();

    const RelaySettings& settings_;
    const LinkTimeouts& timeouts_;
    LinkObserver* observer_ = nullptr;

    std::mutex logMutex_;
    std::shared_ptr<DailyLog> log_;

    RelayHostLookup lookup_;
    RelaySession session_;
    SocketSet control_;
    std::atomic<int> connectedHandle_{-1};  // -1 until the connect event
    std::atomic<bool> open_{false};         // the tasks exist (the stop event of the design)
    std::atomic<bool> stopping_{false};
    std::atomic<bool> closing_{false};
    std::atomic<std::int64_t> nextPingMs_{0};

    std::mutex sendQueueMutex_;
    std::deque<std::string> sendQueue_;

    Event sendEvent_{Event::Reset::Auto};
    Event dataEvent_{Event::Reset::Auto};
    Event connectedOrEnded_{Event::Reset::Manual};
    Event announcedEvent_{Event::Reset::Manual};
    Event receiveEnded_{Event::Reset::Manual};
    Event sendEnded_{Event::Reset::Manual};
    Event decodeEnded_{Event::Reset::Manual};
    std::thread receiveTask_;
    std::thread sendTask_;
    std::thread decodeTask_;
    std::atomic<int> overdueTasks_{0};
    std::atomic<std::size_t> peakUnprocessed_{0};
};

// JSON string contents with '"', '\\' and control characters escaped, so
// that a credential or identifier cannot change the message's structure.
std::string JsonEscape(std::string_view text);

}  // namespace zol
