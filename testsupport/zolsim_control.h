// Talking to a zolsim that a test started: the ports it prints on its first
// two lines, and one command on its control port.
#pragma once

#include <string>

namespace zol::testing {

// The number at the end of one of zolsim's first output lines.
int PortFromLine(const std::string& line);

// Sends one line to the control port on 127.0.0.1 and returns the answer up
// to its "OK" or "ERR" line.
std::string SendControlLine(int port, const std::string& line);

}  // namespace zol::testing
