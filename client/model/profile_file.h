// ProfileFile: reads an INI file ("theme.txt") with the rules of the Windows
// profile functions: sections and keys compare without regard to case, the
// first occurrence of a key wins, blanks around names and values are
// trimmed, surrounding double quotes are removed, missing keys give the
// caller's default.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace zol {

class ProfileFile {
  public:
    // An unreadable or missing file gives an empty profile (all defaults).
    static ProfileFile Load(const std::filesystem::path& file);
    static ProfileFile Parse(std::string_view text);

    // The value cut to `maxLength` characters, or `defaultValue`.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t maxLength) const;
    // The value's leading decimal number (sign allowed), 0 when it starts with
    // none, or `defaultValue` when the key is missing.
    std::int32_t GetInt(std::string_view section, std::string_view key,
                        std::int32_t defaultValue) const;

  private:
    static std::string Lower(std::string_view s);
    const std::string* Find(std::string_view section, std::string_view key) const;

    std::map<std::string, std::map<std::string, std::string>> sections_;  // lower-cased names
};

}  // namespace zol
