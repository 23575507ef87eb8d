#include "cli/cli_settings.h"

namespace zol {

void CliSettings::Describe(SettingsTable& table) {
    SettingsSection& connection = table.AddSection("Connection");
    AddNumberSetting(connection, "ServerAddressType", serverAddressType, 0);
    AddNumberSetting(connection, "ServerPort", serverPort, 2000);
    AddTextSetting(connection, "ServerIPAddress", serverIpAddress, "");
    AddTextSetting(connection, "ServerPassword", serverPassword, "");
    AddNumberSetting(connection, "ServerReplyTimeout", serverReplyTimeout, 10);
    AddNumberSetting(connection, "ServerConnectTimeout", serverConnectTimeout, 10);
    AddNumberSetting(connection, "ServerSendTimeout", serverSendTimeout, 10);
    AddTextSetting(connection, "ClientName", clientName, "CloudCLI");
    SettingsSection& location = table.AddSection("Location");
    AddTextSetting(location, "ResultFilePath", resultFilePath, "");
    SettingsSection& misc = table.AddSection("Misc");
    AddNumberSetting(misc, "TaskTerminateWaitTime", taskTerminateWaitTime, 5);
    AddNumberSetting(misc, "DecodeTimeout", decodeTimeout, 10);
    AddNumberSetting(misc, "MaxSleepIntervalTime", maxSleepIntervalTime, 1000);
}

void LoadCliSettings(RegistryStore& store, CliSettings& settings) {
    SettingsTable table(store, kCliRegistryKey);
    settings.Describe(table);
    ApplyDefaults(table);
    LoadSettings(table);
}

int SaveCliSettings(RegistryStore& store, CliSettings& settings) {
    SettingsTable table(store, kCliRegistryKey);
    settings.Describe(table);
    return SaveSettings(table);
}

}  // namespace zol
