// The server's own log, read by the clients' log window ("GetLog"): what
// zolsim was told to do (commands), changes of home mode, schedule and
// settings (status), and the lines announced with "LogAdd" pushes.
//
// Plain data; the owner touches it from its one event-loop thread.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <string>

namespace zol {

// Kinds of entries; "GetLogFilters" names them, and filter 0 shows all.
inline constexpr int kLogAll = 0;
inline constexpr int kLogCommands = 1;
inline constexpr int kLogStatus = 2;
inline constexpr int kLogMessages = 3;

struct ServerLogEntry {
    int number = 0;        // 1, 2, ... for the life of the server
    std::string dateTime;  // 14 digits, local time
    int kind = kLogMessages;
    std::string text;
};

class ServerLog {
  public:
    // Oldest entries are dropped beyond this many.
    static constexpr std::size_t kCapacity = 1000;
    // Longer texts are cut, so that any entry fits one reply.
    static constexpr std::size_t kMaxTextBytes = 1000;

    void Add(int kind, std::string text, std::chrono::system_clock::time_point when);
    void Clear() { entries_.clear(); }
    const std::deque<ServerLogEntry>& Entries() const { return entries_; }

  private:
    std::deque<ServerLogEntry> entries_;
    int nextNumber_ = 1;
};

}  // namespace zol
