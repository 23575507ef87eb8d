// One run of zolcli: settings, command line, address, handshake, one
// request, result file, close, settings stored; returns the exit code.
#pragma once

#include <string>
#include <vector>

namespace zol {

// Exit code when fewer than two command words are given (nothing is sent).
inline constexpr int kExitUsage = 64;

// `args` are the words after the program name.
int RunZolCli(const std::vector<std::string>& args);

}  // namespace zol
