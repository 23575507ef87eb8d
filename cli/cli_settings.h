// The command-line program's settings, kept under Software\Tarnwell\ZOLCLI.
// Command-line switches overwrite the same values, so a switch given once
// becomes the stored default for later runs.
#pragma once

#include <cstdint>
#include <string>

#include "serverlink/settings_table.h"

namespace zol {

inline constexpr const char* kCliRegistryKey = "Software\\Tarnwell\\ZOLCLI";

struct CliSettings {
    std::int32_t serverAddressType = 0;  // kept for other tools; nothing here reads it
    std::int32_t serverPort = 2000;
    std::string serverIpAddress;
    std::string serverPassword;
    std::int32_t serverReplyTimeout = 10;    // seconds
    std::int32_t serverConnectTimeout = 10;  // seconds
    std::int32_t serverSendTimeout = 10;     // seconds
    std::string clientName = "CloudCLI";
    std::string resultFilePath;
    std::int32_t taskTerminateWaitTime = 5;  // seconds
    std::int32_t decodeTimeout = 10;         // seconds
    std::int32_t maxSleepIntervalTime = 1000;

    // Binds every value to its registry name and default.
    void Describe(SettingsTable& table);
};

// Defaults, then what the store holds.
void LoadCliSettings(RegistryStore& store, CliSettings& settings);
// Stores every value; failures are not reported (the caller ignores them).
int SaveCliSettings(RegistryStore& store, CliSettings& settings);

}  // namespace zol
