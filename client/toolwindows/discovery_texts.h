// What the person reads at the end of a server search on the connection
// page. Copied byte for byte from the original program, quotes included.
#pragma once

#include <cstdint>
#include <string>

namespace zol {

// Heading of the found alert, and its message with the address and port.
inline constexpr const char* kServerFoundHeading = "ZOL Server found";
inline constexpr const char* kServerFoundFormat =
    "The ZOL Server was found at IP address %s on port %d. The settings have been updated for "
    "this. Once you close the Client Options dialog with OK, you can then connect to the ZOL "
    "Server by selecting \"Connect\" from the client control panel.";
inline constexpr const char* kServerNotFoundHeading = "ZOL Server not found";
inline constexpr const char* kServerNotFoundText =
    "Not finding the server could be because of several possibilities. First, some extra "
    "secure networks block the method used to discover the server. Second, if the ZOL Server "
    "application isn't running or doesn't have a file loaded it can't be found.\n\nYou can "
    "always find the server computer's IP address by starting cmd.exe on that computer and "
    "typing \"\"ipconfig\"\" at the prompt or if the computer has no monitor you can look in "
    "your router's device table though its browser interface.";
// The searching window.
inline constexpr const char* kSearchingCaption = "ZOL";
inline constexpr const char* kSearchingText = "Searching for the ZOL Server...";

// kServerFoundFormat filled with "a.b.c.d" and the port.
std::string ServerFoundText(const std::string& address, int port);

}  // namespace zol
