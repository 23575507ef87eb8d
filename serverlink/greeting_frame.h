// The 16-byte greeting frames that open every server connection:
//   client: "ZOL000" letter, three zero-padded version numbers
//   server: "ZOL" status, client number, password flag, (unused), major,
//           minor, build
// Pure functions.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "zol_version.h"

namespace zol {

// Which program greets: they order their version numbers differently.
enum class ClientProgram { Gui, CommandLine };

using GreetingNumbers = std::array<int, 3>;

// GUI: a, b, and the low 32 bits of the version (c * 65536 + d);
// command line: d, b, a.
GreetingNumbers GreetingNumbersFor(ClientProgram program, const ProductVersion& version);
// The numbers of this build's own product version.
GreetingNumbers OwnGreetingNumbers(ClientProgram program);

// "ZOL000%c%03d%03d%03d"; numbers of 1,000 or more make it longer than 16.
std::string FormatGreeting(char letter, const GreetingNumbers& numbers);

struct GreetingReply {
    int status = 0;  // 0 accepted, 2 try a lower letter, other: refused
    int clientNumber = 0;
    bool passwordDemanded = false;
    int serverMajor = 0;
    int serverMinor = 0;
    int serverBuild = 0;
};

// True when `reply` is 16 characters beginning with ZOL.
bool IsGreetingReply(std::string_view reply);
// Reads the digits without validation, as the servers expect; `reply` must
// satisfy IsGreetingReply.
GreetingReply ParseGreetingReply(std::string_view reply);

// The letter after `letter` in the stepping F, E, D; 0 after D.
char NextLowerGreetingLetter(char letter);

}  // namespace zol
