// The connection ZOL Client uses: taken from the settings at start and
// overridden by the command-line switches.
//
// Switches (compared without regard to case, "switch" or "switch:value"):
//   /ZOLServer:a.b.c.d   address a.b.c.d, no relay (four decimal parts, each
//                        modulo 256, as zolcli reads them)
//   /ZOLServerName:host  host name, no relay
//   /Port:n              port (all digits, 1-65535), no relay
//   /PSWD:text           password
//   /RAV                 open the remote access viewer (does not override)
//   /CloudConnect:n      relay off when n is 0, on otherwise (all digits)
//   /CloudToken:text     relay credential, relay on
// A malformed value leaves everything as it was; unknown words are ignored;
// repeated switches apply in order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "serverlink/link_timeouts.h"
#include "serverlink/server_target.h"

namespace zol {

struct ClientSettings;

inline constexpr std::int32_t kAddressKindIPv4 = 0;
inline constexpr std::int32_t kAddressKindHostName = 1;

struct EffectiveConnection {
    bool overridden = false;
    std::int32_t serverPort = 0;
    std::int32_t addressKind = kAddressKindIPv4;
    std::uint32_t ipv4Address = 0;  // first octet in the high byte
    std::string hostName;
    std::string password;
    std::int32_t useRelay = 0;
    std::string relayCredential;

    // Port, primary address, password and relay settings of `settings`.
    static EffectiveConnection FromSettings(const ClientSettings& settings);
};

struct CommandLineResult {
    bool openRemoteAccessViewer = false;
};

// The program's arguments (without the program name) joined with blanks and
// split at blanks again, as the original command line was.
std::vector<std::string> SplitCommandLine(const std::vector<std::string>& arguments);

CommandLineResult ApplyCommandLine(const std::vector<std::string>& words,
                                   EffectiveConnection& connection);

// Whether an automatic connect has enough to go on.
bool ConnectionDetailsComplete(const ClientSettings& settings,
                               const EffectiveConnection& connection);

// The connection as start-up takes it: the settings' (where the secondary
// server is given the primary's port and password), then the program's
// arguments (Windows-1252) applied; and whether to connect at once.
struct StartingConnection {
    EffectiveConnection connection;
    bool openRemoteAccessViewer = false;
    bool connectAtOnce = false;
};
StartingConnection ConnectionAtStart(ClientSettings& settings,
                                     const std::vector<std::string>& arguments);

// Where a connect goes: the connection with the relay switches applied and
// its address looked up.
struct ConnectPlan {
    EffectiveConnection connection;
    // Null when the host name could not be looked up.
    std::optional<ServerTarget> target;
    bool viaRelay = false;
};
ConnectPlan PlanConnect(const ClientSettings& settings, EffectiveConnection connection);

// The link's waits as the settings give them.
LinkTimeouts LinkTimeoutsFrom(const ClientSettings& settings);

// The target a connect with `connection` dials. A host name (without the
// relay) is looked up now, which may block; nullopt when it has no IPv4
// address. Otherwise the stored address is used as it is.
std::optional<ServerTarget> ResolveTarget(const EffectiveConnection& connection);

}  // namespace zol
