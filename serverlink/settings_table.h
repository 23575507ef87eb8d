// SettingsTable: a program's settings described once, as sections of entries
// that bind a registry value name to one of the program's variables with a
// default. The same table applies the defaults, loads what the registry
// holds, and stores the current values back.
//
// Use: build the table, ApplyDefaults, LoadSettings, drop it; work; build it
// again, SaveSettings, drop it. The bound variables outlive the table.
// Thread-safety: none; the variables are the caller's to guard.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <string_view>

#include "platform/registry_store.h"

namespace zol {

class SettingsTable;

struct SettingEntry {
    enum class Kind { Text, Number };

    Kind kind = Kind::Text;
    std::string valueName;
    int number = 0;  // sequence number from the table's counter, from 1
    std::string* textTarget = nullptr;
    std::int32_t* numberTarget = nullptr;
    std::string textDefault;
    std::int32_t numberDefault = 0;
};

struct SettingsSection {
    std::string name;  // empty: the base key itself
    std::list<SettingEntry> entries;
    SettingsTable* table = nullptr;
};

class SettingsTable {
  public:
    // `baseKey` is below HKEY_CURRENT_USER, e.g. "Software\\Tarnwell\\ZOLCLI".
    SettingsTable(RegistryStore& store, std::string baseKey)
        : store_(store), baseKey_(std::move(baseKey)) {}
    SettingsTable(const SettingsTable&) = delete;
    SettingsTable& operator=(const SettingsTable&) = delete;

    // Adds a section at the front of the list; the reference stays valid for
    // the life of the table.
    SettingsSection& AddSection(std::string name);

    RegistryStore& Store() const { return store_; }
    const std::string& BaseKey() const { return baseKey_; }
    std::string SectionKey(const SettingsSection& section) const;
    std::list<SettingsSection>& Sections() { return sections_; }
    const std::list<SettingsSection>& Sections() const { return sections_; }
    int NextEntryNumber() { return ++counter_; }

  private:
    RegistryStore& store_;
    std::string baseKey_;
    std::list<SettingsSection> sections_;
    int counter_ = 0;
};

// Longest text a text setting takes from the registry, in bytes (exclusive).
inline constexpr std::size_t kSettingTextBufferSize = 256;

void AddTextSetting(SettingsSection& section, std::string valueName, std::string& variable,
                    std::string defaultValue);
void AddNumberSetting(SettingsSection& section, std::string valueName, std::int32_t& variable,
                      std::int32_t defaultValue);

void ApplyDefaults(SettingsTable& table);
// Reads what the registry holds into the bound variables; a missing key or
// value, a value of another type, or a text of 256 bytes or more leaves the
// variable as it is. A text ends at its first zero byte. Always 0.
int LoadSettings(SettingsTable& table);
// Writes every entry (text as REG_SZ without terminator, number as a 4-byte
// REG_DWORD) and saves the store. 0, or -1 at the first failure.
int SaveSettings(SettingsTable& table);

}  // namespace zol
