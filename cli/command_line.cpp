#include "cli/command_line.h"
#include "platform/ascii_text.h"

#include <algorithm>
#include <string_view>

namespace zol {
namespace {

// Decimal value of a digit string, as the C library reads it; the port keeps
// the low 16 bits later, so wrapping here does not change the outcome.
std::int32_t DecimalValue(std::string_view digits) {
    std::uint32_t v = 0;
    for (char c : digits)
        v = v * 10u + static_cast<std::uint32_t>(c - '0');
    return static_cast<std::int32_t>(v);
}

}  // namespace

CommandWords ReadCommandLine(const std::vector<std::string>& args, CliSettings& settings) {
    CommandWords command;
    const std::size_t limit = std::min(args.size(), kMaxCommandLineWords);
    for (std::size_t i = 0; i < limit; ++i) {
        std::string_view word = args[i];
        const auto [name, value] = SplitSwitchWord(word);
        if (EqualsNoCase(name, "/ZOLServer")) {
            settings.serverIpAddress = value;
        } else if (EqualsNoCase(name, "/Port")) {
            if (AllDecimalDigits(value))
                settings.serverPort = DecimalValue(value);
        } else if (EqualsNoCase(name, "/PSWD")) {
            settings.serverPassword = value;
        } else if (EqualsNoCase(name, "/Result")) {
            settings.resultFilePath = value;
        } else if (!name.starts_with('/') && command.count < kMaxCommandWords) {
            command.words[command.count++] = name;
        }
    }
    return command;
}

}  // namespace zol
