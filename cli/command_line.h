// Reading the command line of zolcli: the four switches and up to eight
// command words.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "cli/cli_settings.h"

namespace zol {

inline constexpr std::size_t kMaxCommandWords = 8;
inline constexpr std::size_t kMaxCommandLineWords = 99;

struct CommandWords {
    std::array<std::string, kMaxCommandWords> words;
    std::size_t count = 0;
};

// Applies the switches to `settings` and collects the command words from
// `args` (the words after the program name; only the first 99 are read).
CommandWords ReadCommandLine(const std::vector<std::string>& args, CliSettings& settings);

}  // namespace zol
