// LinkTimeouts: the time limits of the server link, in seconds as the
// programs' settings hold them. Waits multiply them by 1,000.
#pragma once

#include <chrono>
#include <cstdint>

namespace zol {

struct LinkTimeouts {
    std::int32_t serverConnectTimeout = 10;  // connection must come up within this
    std::int32_t serverSendTimeout = 10;     // send thread must take a request within this
    std::int32_t serverReplyTimeout = 10;    // reply must arrive within this
    std::int32_t taskTerminateWaitTime = 5;  // each worker thread must end within this
    // The relay's decode task looks at its buffer this often. The server
    // connection cuts frames as bytes arrive, so it needs no second look.
    std::int32_t decodeTimeout = 10;
    std::int32_t missedPingBeforeDisconnect = 2;
};

// A setting in seconds as a wait limit; negative settings count as 0.
inline std::chrono::milliseconds SecondsToWait(std::int32_t seconds) {
    return std::chrono::milliseconds(seconds > 0 ? static_cast<std::int64_t>(seconds) * 1000 : 0);
}

}  // namespace zol
