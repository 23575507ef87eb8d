// Where no D-Bus session bus is announced, Qt's accessibility bridge on X11
// asks libdbus for one, and libdbus forks and runs "dbus-launch" to start a
// bus for the display: a daemon left running after the program, a fork of a
// threaded program at start (one that can hang in the child under a
// sanitizer's allocator), and time lost before the first window. Assistive
// technology cannot work without a session bus, so a program that finds none
// asks for none. The programs it starts get the environment as it was found.
#pragma once

#include <QProcessEnvironment>

namespace zol {

// Call before QApplication is made.
void AskForNoSessionBusWhereThereIsNone();

// The environment for the programs this one starts.
QProcessEnvironment ChildProcessEnvironment();

}  // namespace zol
