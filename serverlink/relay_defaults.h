// Defaults of the cloud relay shared by the server link and the programs'
// settings, so that every program names the same relay host.
#pragma once

namespace zol {

// Relay host used until the user names the real one; a reserved domain, so
// that nothing real is dialled by accident.
inline constexpr const char* kDefaultRelayHost = "relay.zol-cloud.example";

}  // namespace zol
