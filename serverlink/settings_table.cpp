#include "serverlink/settings_table.h"

namespace zol {

SettingsSection& SettingsTable::AddSection(std::string name) {
    sections_.push_front(SettingsSection{std::move(name), {}, this});
    return sections_.front();
}

std::string SettingsTable::SectionKey(const SettingsSection& section) const {
    if (section.name.empty())
        return baseKey_;
    return baseKey_ + "\\" + section.name;
}

void AddTextSetting(SettingsSection& section, std::string valueName, std::string& variable,
                    std::string defaultValue) {
    SettingEntry entry;
    entry.kind = SettingEntry::Kind::Text;
    entry.valueName = std::move(valueName);
    entry.number = section.table->NextEntryNumber();
    entry.textTarget = &variable;
    entry.textDefault = std::move(defaultValue);
    section.entries.push_front(std::move(entry));
}

void AddNumberSetting(SettingsSection& section, std::string valueName, std::int32_t& variable,
                      std::int32_t defaultValue) {
    SettingEntry entry;
    entry.kind = SettingEntry::Kind::Number;
    entry.valueName = std::move(valueName);
    entry.number = section.table->NextEntryNumber();
    entry.numberTarget = &variable;
    entry.numberDefault = defaultValue;
    section.entries.push_front(std::move(entry));
}

void ApplyDefaults(SettingsTable& table) {
    for (auto& section : table.Sections()) {
        for (auto& entry : section.entries) {
            if (entry.kind == SettingEntry::Kind::Text) {
                *entry.textTarget = entry.textDefault;
            } else {
                *entry.numberTarget = entry.numberDefault;
            }
        }
    }
}

int LoadSettings(SettingsTable& table) {
    const RegistryStore& store = table.Store();
    for (const auto& section : table.Sections()) {
        std::string key = table.SectionKey(section);
        if (!store.KeyExists(key))
            continue;
        for (const auto& entry : section.entries) {
            RegistryValue value;
            if (entry.kind == SettingEntry::Kind::Text) {
                int rc = store.QueryValue(key, entry.valueName, kSettingTextBufferSize, value);
                if (rc == kRegSuccess && value.type == kRegSz &&
                    value.data.size() < kSettingTextBufferSize) {
                    *entry.textTarget = value.Text();
                }
            } else {
                int rc = store.QueryValue(key, entry.valueName, 4, value);
                if (rc == kRegSuccess && !value.data.empty() && value.type == kRegDword) {
                    // A shorter value fills the low bytes, as the registry query does.
                    std::uint32_t n = 0;
                    for (std::size_t i = value.data.size(); i-- > 0;) {
                        n = (n << 8) | static_cast<unsigned char>(value.data[i]);
                    }
                    *entry.numberTarget = static_cast<std::int32_t>(n);
                }
            }
        }
    }
    return 0;
}

int SaveSettings(SettingsTable& table) {
    RegistryStore& store = table.Store();
    for (const auto& section : table.Sections()) {
        std::string key = table.SectionKey(section);
        if (store.CreateKey(key) != kRegSuccess)
            return -1;
        for (const auto& entry : section.entries) {
            RegistryValue value;
            if (entry.kind == SettingEntry::Kind::Text) {
                value = RegistryValue{kRegSz, *entry.textTarget};
            } else {
                auto n = static_cast<std::uint32_t>(*entry.numberTarget);
                value.type = kRegDword;
                value.data.resize(4);
                for (std::size_t i = 0; i < 4; ++i) {
                    value.data[i] = static_cast<char>((n >> (8 * i)) & 0xFF);
                }
            }
            if (store.SetValue(key, entry.valueName, std::move(value)) != kRegSuccess)
                return -1;
        }
    }
    return store.Save() == 0 ? 0 : -1;
}

}  // namespace zol
