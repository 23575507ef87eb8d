// What a push announces, applied to zolsim's own house, so that later
// requests answer what the clients were told: "Update" (an object's or a
// display's state), "ServerStatus", "ExtServerStatus", "TileUpdate",
// "TextDisplayChange", and "LogAdd" (a line of the server log). The fields
// are read as the clients read them; other pushes, and messages the
// clients would drop, change nothing.
#pragma once

#include <chrono>
#include <string_view>

#include "simulator/request_router.h"

namespace zol {

void ApplyPushToHouse(std::string_view message, SimServerState& state,
                      std::chrono::system_clock::time_point now);

}  // namespace zol
