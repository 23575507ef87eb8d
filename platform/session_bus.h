// Where no D-Bus session bus is announced, Qt's accessibility bridge on X11
// asks libdbus for one, and libdbus forks and runs "dbus-launch" to start a
// bus for the display: a daemon left running after the program, a fork of a
// threaded program at start (one that can hang in the child under a
// sanitizer's allocator), and time lost before the first window. Assistive
// technology cannot work without a session bus, so a program that finds none
// asks for none. The programs it starts get the environment as it was found
// (guibase/session_bus.h), also when a launcher asked before the program.
#pragma once

namespace zol {

inline constexpr const char* kSessionBusVariable = "DBUS_SESSION_BUS_ADDRESS";
// Set beside the address when it is ours; the programs started get neither.
inline constexpr const char* kNoSessionBusMarker = "ZOL_NO_SESSION_BUS";
// libdbus fails at once on this address instead of launching a bus.
inline constexpr const char* kNoSessionBus = "disabled:";

// Changes the environment: call while the program has one thread.
void AskForNoSessionBusWhereThereIsNone();

}  // namespace zol
