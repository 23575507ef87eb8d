#include "client/core/client_settings.h"

namespace zol {

namespace {

constexpr std::int32_t kLogViewColumnDefaults[7] = {55, 127, 31, 36, 45, 86, 252};

void DescribeConnection(SettingsTable& table, ClientSettings& s) {
    SettingsSection& c = table.AddSection("Connection");
    AddNumberSetting(c, "ServerPort", s.serverPort, 2000);
    AddNumberSetting(c, "PrimaryType", s.primaryType, 0);
    AddNumberSetting(c, "PrimaryIPAddress", s.primaryIPAddress, 0);
    AddTextSetting(c, "PrimaryName", s.primaryName, "");
    AddTextSetting(c, "Password", s.password, "");
    AddNumberSetting(c, "SecondaryType", s.secondaryType, 0);
    AddNumberSetting(c, "SecondaryIPAddress", s.secondaryIPAddress, 0);
    AddTextSetting(c, "SecondaryName", s.secondaryName, "");
    AddNumberSetting(c, "KeepAliveEnable", s.keepAliveEnable, 1);
    AddNumberSetting(c, "KeepAliveTime", s.keepAliveTime, 5);
    AddNumberSetting(c, "ServerReplyTimeout", s.serverReplyTimeout, 10);
    AddNumberSetting(c, "ServerConnectTimeout", s.serverConnectTimeout, 10);
    AddNumberSetting(c, "ServerSendTimeout", s.serverSendTimeout, 10);
    AddTextSetting(c, "ClientName", s.clientName, "");
    AddNumberSetting(c, "ClientSound", s.clientSound, 1);
    AddNumberSetting(c, "AutoReconnect", s.autoReconnect, 1);
    AddNumberSetting(c, "AutoReconnectTime", s.autoReconnectTime, 30);
    AddNumberSetting(c, "AutoConnect", s.autoConnect, 0);
    AddNumberSetting(c, "AutoCloseConnectDialog", s.autoCloseConnectDialog, 0);
    AddNumberSetting(c, "AutoCloseConnectDialogTime", s.autoCloseConnectDialogTime, 10);
    AddNumberSetting(c, "PostConnectLockOption", s.postConnectLockOption, 0);
    AddNumberSetting(c, "UIExitPasswordEnable", s.uiExitPasswordEnable, 0);
    AddTextSetting(c, "UILockCode", s.uiLockCodeText, kDefaultUiLockCodeText);
    AddNumberSetting(c, "CloudMasterDisable", s.cloudMasterDisable, 0);
    AddNumberSetting(c, "useAgentConnection", s.useAgentConnection, 0);
    AddTextSetting(c, "agentAddress", s.agentAddress, kDefaultRelayHost);
    AddNumberSetting(c, "agentPort", s.agentPort, 2000);
    AddNumberSetting(c, "agentPostConnectWaitSeconds", s.agentPostConnectWaitSeconds, 3);
    AddNumberSetting(c, "agentPingSeconds", s.agentPingSeconds, 30);
    AddTextSetting(c, "agentToken", s.agentToken, "");
    AddNumberSetting(c, "agentLog", s.agentLog, 1);
}

void DescribeUserInterface(SettingsTable& table, ClientSettings& s) {
    SettingsSection& u = table.AddSection("UserInterface");
    AddNumberSetting(u, "HomePageEnable", s.homePageEnable, 0);
    AddTextSetting(u, "HomePageName", s.homePageName, "");
    AddNumberSetting(u, "TextColor", s.textColor, 16246731);
    AddNumberSetting(u, "BackgroundColor", s.backgroundColor, 3811849);
    AddNumberSetting(u, "OnColor", s.onColor, 65535);
    AddNumberSetting(u, "SuspendColor", s.suspendColor, 0);
    AddNumberSetting(u, "ModeSuspendColor", s.modeSuspendColor, 65280);
    AddNumberSetting(u, "ErrorConditionColor", s.errorConditionColor, 255);
    AddNumberSetting(u, "EnablePopupCloseTime", s.enablePopupCloseTime, 0);
    AddNumberSetting(u, "TUIPopupCloseTime", s.tuiPopupCloseTime, 60);
    AddNumberSetting(u, "EnableHomeReturnTime", s.enableHomeReturnTime, 0);
    AddNumberSetting(u, "TUIHomeReturnTime", s.tuiHomeReturnTime, 60);
    AddNumberSetting(u, "TUIShortTapTime", s.tuiShortTapTime, 500);
    AddNumberSetting(u, "homePageImageEnable", s.homePageImageEnable, 0);
    AddTextSetting(u, "homePageImagePath", s.homePageImagePath, "");
    AddNumberSetting(u, "themeSpacingEnable", s.themeSpacingEnable, 0);
    AddNumberSetting(u, "themeSpacingX", s.themeSpacingX, 200);
    AddNumberSetting(u, "themeSpacingY", s.themeSpacingY, 200);
    AddNumberSetting(u, "TUI110FontSize", s.tui110FontSize, 18);
    AddNumberSetting(u, "TUI54FontSize", s.tui54FontSize, 15);
    AddTextSetting(u, "OSKPath", s.oskPath, kDefaultOskPath);
    AddTextSetting(u, "StatusBarFont", s.statusBarFontText, kDefaultStatusBarFontText);
    AddNumberSetting(u, "StartBarFontColor", s.startBarFontColor, 16777215);
    constexpr std::int32_t kTextOptionDefaults[3] = {1, 0, 2};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i + 1);
        AddNumberSetting(u, "StatusBarTextOption" + n, s.statusBarTextOption[i],
                         kTextOptionDefaults[i]);
        AddTextSetting(u, "StatusBarUserText" + n, s.statusBarUserText[i], "");
        AddNumberSetting(u, "StatusBarTextOption" + n + "_2", s.statusBarTextOption2[i],
                         kTextOptionDefaults[i]);
        AddTextSetting(u, "StatusBarUserText" + n + "_2", s.statusBarUserText2[i], "");
    }
    AddNumberSetting(u, "StatusBarTextUpdateTime", s.statusBarTextUpdateTime, 5);
    AddTextSetting(u, "StatusBarDateTimeFormat", s.statusBarDateTimeFormat, "%A %B %d - %I:%M %p");
    AddNumberSetting(u, "TileLabelPointSize", s.tileLabelPointSize, 20);
    AddTextSetting(u, "TileLabelFontFace", s.tileLabelFontFace, "Open Sans Light");
    AddNumberSetting(u, "ShowSuspend", s.showSuspend, 0);
    AddNumberSetting(u, "WakeUpMonitorOnChange", s.wakeUpMonitorOnChange, 0);
    AddNumberSetting(u, "TileRounderCorners", s.tileRounderCorners, 0);
    AddNumberSetting(u, "TileRounderRadius", s.tileRounderRadius, 20);

    WindowPlacement& p = s.placement;
    AddNumberSetting(u, "Pos.flags", p.flags, 0);
    AddNumberSetting(u, "Pos.showCmd", p.showCmd, 0);
    AddNumberSetting(u, "Pos.minPos.x", p.minPosition.x, 0);
    AddNumberSetting(u, "Pos.minPos.y", p.minPosition.y, 0);
    AddNumberSetting(u, "Pos.maxPos.x", p.maxPosition.x, 0);
    AddNumberSetting(u, "Pos.maxPos.y", p.maxPosition.y, 0);
    AddNumberSetting(u, "Pos.normalPos.left", p.normalPosition.left, 0);
    // Stored files pair these two names the other way round; keep it so.
    AddNumberSetting(u, "Pos.normalPos.right", p.normalPosition.top, 0);
    AddNumberSetting(u, "Pos.normalPos.top", p.normalPosition.right, 0);
    AddNumberSetting(u, "Pos.normalPos.bottom", p.normalPosition.bottom, 0);
}

void DescribeLocation(SettingsTable& table, ClientSettings& s) {
    SettingsSection& l = table.AddSection("Location");
    AddTextSetting(l, "ProgramDirPath", s.programDirPath, "");
    AddTextSetting(l, "DataDirPath", s.dataDirPath, "");
    AddTextSetting(l, "TempDirPath", s.tempDirPath, "");
    AddTextSetting(l, "ThemeDirPath", s.themeDirPath, "");
}

void DescribeMisc(SettingsTable& table, ClientSettings& s) {
    SettingsSection& m = table.AddSection("Misc");
    AddNumberSetting(m, "ColorIconTransparent", s.colorIconTransparent, 61184);
    AddNumberSetting(m, "MissedPingBeforeDisconnect", s.missedPingBeforeDisconnect, 2);
    AddNumberSetting(m, "TaskTerminateWaitTime", s.taskTerminateWaitTime, 5);
    AddNumberSetting(m, "DecodeTimeout", s.decodeTimeout, 10);
    AddNumberSetting(m, "MaxSleepIntervalTime", s.maxSleepIntervalTime, 1000);
    AddNumberSetting(m, "ServerStatusColWidthId", s.serverStatusColWidthId, 57);
    AddNumberSetting(m, "ServerStatusColWidthTime", s.serverStatusColWidthTime, 127);
    AddNumberSetting(m, "ServerStatusColWidthText", s.serverStatusColWidthText, 327);
    AddNumberSetting(m, "GraphKeyColWidth", s.graphKeyColWidth, 318);
    for (std::size_t view = 0; view < 3; ++view) {
        const std::string prefix = "Log" + std::to_string(view + 1) + "View";
        AddTextSetting(m, prefix + "Filter", s.logViewFilter[view], "");
        for (std::size_t col = 0; col < 7; ++col) {
            AddNumberSetting(m, prefix + "ColumnWidth" + std::to_string(col),
                             s.logViewColumnWidth[view][col], kLogViewColumnDefaults[col]);
        }
    }
    AddNumberSetting(m, "ScreenDPI", s.screenDPI, 0);
    AddNumberSetting(m, "DebugDPI", s.debugDPI, 0);
    AddNumberSetting(m, "AuxLogSaveDays", s.auxLogSaveDays, 7);
}

}  // namespace

ClientSettings::ClientSettings() {
    // A fresh object already holds the defaults, so code that runs before
    // Load() (and tests) never sees zeros where the program expects values.
    RegistryStore unused{std::filesystem::path()};
    SettingsTable table(unused, kClientRegistryKey);
    Describe(table);
    ApplyDefaults(table);
    statusBarFont = DecodeStatusBarFont(statusBarFontText);
    uiLockCode = DecodeUiLockCode(uiLockCodeText);
}

void ClientSettings::Describe(SettingsTable& table) {
    DescribeConnection(table, *this);
    DescribeUserInterface(table, *this);
    DescribeLocation(table, *this);
    DescribeMisc(table, *this);
}

void ClientSettings::Load(RegistryStore& store) {
    SettingsTable table(store, kClientRegistryKey);
    Describe(table);
    ApplyDefaults(table);
    LoadSettings(table);
    statusBarFont = DecodeStatusBarFont(statusBarFontText);
    uiLockCode = DecodeUiLockCode(uiLockCodeText);
}

int ClientSettings::Save(RegistryStore& store) {
    statusBarFontText = EncodeStatusBarFont(statusBarFont);
    uiLockCodeText = EncodeUiLockCode(uiLockCode);
    SettingsTable table(store, kClientRegistryKey);
    Describe(table);
    return SaveSettings(table);
}

}  // namespace zol
