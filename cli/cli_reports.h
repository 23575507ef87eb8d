// The texts zolcli reports, byte for byte as scripts expect them.
#pragma once

#include <string>
#include <string_view>

#include "cli/command_line.h"

namespace zol {

// "Server IP address can't be resolved: \"<address>\""
std::string UnresolvableAddressReport(std::string_view address);
// "Server error=<code> [\"w1\", ..., \"w8\"]": the request failed in transport.
std::string ServerErrorReport(int errorCode, const CommandWords& command);
// "Command error=<code> [...]": the server answered with a non-zero result code.
std::string CommandErrorReport(int resultCode, const CommandWords& command);
// Printed (and written to the result file) when fewer than two command words are given.
std::string UsageText();

}  // namespace zol
