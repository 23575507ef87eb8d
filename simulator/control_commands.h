// The control port's commands: one text line in, some lines out ending with
// "OK" or "ERR <reason>". Documented in README.md.
#pragma once

#include <string>
#include <vector>

namespace zol {

class SimServer;

// Runs one command line on `server` and returns the answer lines (the last
// is "OK" or starts with "ERR ").
std::vector<std::string> RunControlCommand(SimServer& server, const std::string& line);

}  // namespace zol
