// ConnectionWatch: the connection-watch task. One worker thread that, once
// a second, sends a keep-alive ping every "KeepAliveTime" minutes while
// connected and, after the connection dropped, asks the main frame for a
// reconnect at once and then every "AutoReconnectTime" seconds.
//
// It reads the settings only through the published snapshot, talks to the
// link and the frame only through its hooks (which post, or send the ping),
// and does nothing while a connect runs: a ping then would pair with the
// handshake's replies. Stopping sets a flag that is never cleared, wakes the
// wait and a ping in progress, and joins the thread; it is never detached.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

#include "client/core/watch_settings.h"
#include "platform/event.h"

namespace zol {

struct ConnectionWatchHooks {
    std::function<bool()> everConnected;  // a connection was opened in this run
    std::function<bool()> connecting;     // a connect sequence runs
    std::function<bool()> connected;      // the server connection is up
    // Sends "ZOLApp" "Ping" with the minutes and waits for the reply (its
    // outcome is counted by the link for the missed-ping limit).
    std::function<void(std::int32_t keepAliveMinutes)> ping;
    // Makes a ping in progress give up at once.
    std::function<void()> wakePing;
    // Posts UI command 2 (reconnect) to the main frame.
    std::function<void()> postReconnect;
};

struct ConnectionWatchTiming {
    std::chrono::milliseconds pass{1000};
    std::chrono::milliseconds keepAliveUnit{60'000};  // "KeepAliveTime" is in minutes
    std::chrono::milliseconds reconnectUnit{1000};    // "AutoReconnectTime" in seconds
};

class ConnectionWatch {
  public:
    ConnectionWatch(const PublishedWatchSettings& settings, ConnectionWatchHooks hooks,
                    ConnectionWatchTiming timing = {});
    ~ConnectionWatch();
    ConnectionWatch(const ConnectionWatch&) = delete;
    ConnectionWatch& operator=(const ConnectionWatch&) = delete;

    // Starts the thread once; later calls do nothing.
    void Start();
    // Ends and joins the thread; it cannot be started again.
    void Stop();
    bool Running() const { return thread_.joinable() && !ended_.IsSet(); }

  private:
    using Clock = std::chrono::steady_clock;
    void Run();
    // An interval of `count` units, never less than one pass.
    std::chrono::milliseconds Interval(std::int32_t count, std::chrono::milliseconds unit) const;

    const PublishedWatchSettings& settings_;
    ConnectionWatchHooks hooks_;
    ConnectionWatchTiming timing_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> pinging_{false};
    Event stopEvent_{Event::Reset::Manual};
    Event ended_{Event::Reset::Manual};
    std::thread thread_;
};

}  // namespace zol
