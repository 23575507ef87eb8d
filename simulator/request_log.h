// Every frame the clients sent, with its arrival time, for the control
// port's "requests" listing.
#pragma once

#include <chrono>
#include <deque>
#include <string>
#include <vector>

namespace zol {

struct LoggedRequest {
    std::chrono::system_clock::time_point arrival;
    int connectionId = 0;
    std::string frame;  // the bytes as received
};

class RequestLog {
  public:
    // Oldest entries are dropped beyond this many, so a long demo run does
    // not grow without bound.
    static constexpr std::size_t kCapacity = 10000;

    void Add(int connectionId, std::string frame);
    void Clear() { entries_.clear(); }
    const std::deque<LoggedRequest>& Entries() const { return entries_; }

    // "<time> <connection id> <fields>": local time with milliseconds, the
    // fields joined by "|" and escaped as on the control port; a greeting or
    // a frame that does not decode appears escaped whole.
    static std::string Describe(const LoggedRequest& entry);

  private:
    std::deque<LoggedRequest> entries_;
};

}  // namespace zol
