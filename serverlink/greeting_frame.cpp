#include "serverlink/greeting_frame.h"

#include <cstdio>

#include "serverlink/frame_splitter.h"

namespace zol {
namespace {

int Digit(char c) {
    return c - '0';
}

int ThreeDigits(std::string_view text, std::size_t offset) {
    return 100 * Digit(text[offset]) + 10 * Digit(text[offset + 1]) + Digit(text[offset + 2]);
}

}  // namespace

GreetingNumbers GreetingNumbersFor(ClientProgram program, const ProductVersion& version) {
    if (program == ClientProgram::CommandLine) {
        return {version.d, version.b, version.a};
    }
    // The low 32 bits of the four-part version: third part * 65536 + fourth.
    auto low =
        static_cast<std::uint32_t>(version.c) * 65536u + static_cast<std::uint32_t>(version.d);
    return {version.a, version.b, static_cast<int>(low)};
}

GreetingNumbers OwnGreetingNumbers(ClientProgram program) {
    return GreetingNumbersFor(program, program == ClientProgram::CommandLine
                                           ? kCliProductVersion
                                           : kClientProductVersion);
}

std::string FormatGreeting(char letter, const GreetingNumbers& numbers) {
    char buffer[64];
    int length = std::snprintf(buffer, sizeof(buffer), "ZOL000%c%03d%03d%03d", letter, numbers[0],
                               numbers[1], numbers[2]);
    return std::string(buffer, static_cast<std::size_t>(length));
}

bool IsGreetingReply(std::string_view reply) {
    return IsGreetingFrame(reply);
}

GreetingReply ParseGreetingReply(std::string_view reply) {
    GreetingReply parsed;
    parsed.status = Digit(reply[3]);
    parsed.clientNumber = Digit(reply[4]);
    parsed.passwordDemanded = reply[5] != '0';
    parsed.serverMajor = ThreeDigits(reply, 7);
    parsed.serverMinor = ThreeDigits(reply, 10);
    parsed.serverBuild = ThreeDigits(reply, 13);
    return parsed;
}

char NextLowerGreetingLetter(char letter) {
    switch (letter) {
        case 'F':
            return 'E';
        case 'E':
            return 'D';
        default:
            return 0;
    }
}

}  // namespace zol
