// ConnectPrefetch: the launcher's start of the client's first connect. On a
// thread of its own it opens the connection, greets, gives the password
// when one is asked for and known, and asks for the reference DPI, the
// design's parts, title and cloud token and the display list: the requests
// the client's connect makes first, byte for byte. Meanwhile the program
// loads the client; when its connect asks (Take), the rest of the exchange
// is waited for while answers keep coming, and the connection handed over
// with its record.
//
// Whatever it cannot foresee (a password still to be typed, a refused
// password, a design that ends) stops it early; a failure closes its
// connection, and the client then connects on its own.
//
// Thread-safety: construct and destroy on one thread; Take and Decline
// from any.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "client/launch/start_connection.h"
#include "serverlink/greeting_frame.h"
#include "serverlink/link_timeouts.h"
#include "serverlink/server_link.h"

namespace zol {

class ConnectPrefetch final : public StartConnectionSource {
  public:
    ConnectPrefetch(const LinkTimeouts& timeouts, ServerTarget target, std::string password,
                    GreetingNumbers version);
    // Ends the exchange; a connection nobody took is closed.
    ~ConnectPrefetch();
    ConnectPrefetch(const ConnectPrefetch&) = delete;
    ConnectPrefetch& operator=(const ConnectPrefetch&) = delete;

    std::optional<HandedOverConnection> Take(const ServerTarget& target,
                                             std::string_view password) override;
    void Decline() override;

    // Requests answered before the hand-over, and whether the connection
    // opened (for the checks).
    int Exchanged() const;
    bool Opened() const;

  private:
    void Run();
    void Exchange();
    // Sends one request unless declined; false when declined or it failed.
    bool Ask(const std::string& message, std::int32_t& resultCode);
    bool Declined() const;
    // Counts an answered request.
    void Answered();

    LinkTimeouts timeouts_;
    const ServerTarget target_;
    const std::string password_;
    const GreetingNumbers version_;
    ServerLink link_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool declined_ = false;  // nobody takes the connection: end and close it
    bool opened_ = false;
    bool ended_ = false;
    int exchanged_ = 0;
    std::chrono::steady_clock::time_point lastAnswer_;
    std::optional<HandedOverConnection> handed_;
    std::thread thread_;
};

}  // namespace zol
