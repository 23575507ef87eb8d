// ClientSettings: every setting of ZOL Client, bound to the values under
// HKEY_CURRENT_USER\Software\Tarnwell\ZOLClient (one subkey per section).
//
// The fields are the program's process-wide settings; the one instance is
// owned by CZOLClientApp. Thread-safety: none; the user-interface thread owns
// it. Workers never read it: they read snapshots the application publishes
// (watch_settings.h).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "client/core/status_bar_font.h"
#include "client/core/ui_lock_code.h"
#include "client/core/window_placement.h"
#include "platform/registry_store.h"
#include "serverlink/relay_defaults.h"
#include "serverlink/settings_table.h"

namespace zol {

inline constexpr const char* kClientRegistryKey = "Software\\Tarnwell\\ZOLClient";
inline constexpr const char* kClientProgramName = "ZOLClient";

// On-screen keyboard started from the interface: Windows ships "osk.exe";
// on Linux we start GNOME's "onboard" (Debian package onboard).
#if defined(_WIN32)
inline constexpr const char* kDefaultOskPath = "osk.exe";
#else
inline constexpr const char* kDefaultOskPath = "onboard";
#endif

struct ClientSettings {
    // Connection
    std::int32_t serverPort = 0;
    std::int32_t primaryType = 0;
    std::int32_t primaryIPAddress = 0;
    std::string primaryName;
    std::string password;
    std::int32_t secondaryType = 0;
    std::int32_t secondaryIPAddress = 0;
    std::string secondaryName;
    std::int32_t keepAliveEnable = 0;
    std::int32_t keepAliveTime = 0;
    std::int32_t serverReplyTimeout = 0;
    std::int32_t serverConnectTimeout = 0;
    std::int32_t serverSendTimeout = 0;
    std::string clientName;
    std::int32_t clientSound = 0;
    std::int32_t autoReconnect = 0;
    std::int32_t autoReconnectTime = 0;
    std::int32_t autoConnect = 0;
    std::int32_t autoCloseConnectDialog = 0;
    std::int32_t autoCloseConnectDialogTime = 0;
    std::int32_t postConnectLockOption = 0;
    std::int32_t uiExitPasswordEnable = 0;
    std::string uiLockCodeText;
    std::int32_t cloudMasterDisable = 0;
    std::int32_t useAgentConnection = 0;
    std::string agentAddress;
    std::int32_t agentPort = 0;
    std::int32_t agentPostConnectWaitSeconds = 0;
    std::int32_t agentPingSeconds = 0;
    std::string agentToken;
    std::int32_t agentLog = 0;
    // The secondary server has no port or password of its own; start-up
    // copies the primary's into these.
    std::int32_t secondaryPort = 0;
    std::string secondaryPassword;

    // UserInterface
    std::int32_t homePageEnable = 0;
    std::string homePageName;
    std::int32_t textColor = 0;
    std::int32_t backgroundColor = 0;
    std::int32_t onColor = 0;
    std::int32_t suspendColor = 0;
    std::int32_t modeSuspendColor = 0;
    std::int32_t errorConditionColor = 0;
    std::int32_t enablePopupCloseTime = 0;
    std::int32_t tuiPopupCloseTime = 0;
    std::int32_t enableHomeReturnTime = 0;
    std::int32_t tuiHomeReturnTime = 0;
    std::int32_t tuiShortTapTime = 0;
    std::int32_t homePageImageEnable = 0;
    std::string homePageImagePath;
    std::int32_t themeSpacingEnable = 0;
    std::int32_t themeSpacingX = 0;
    std::int32_t themeSpacingY = 0;
    std::int32_t tui110FontSize = 0;
    std::int32_t tui54FontSize = 0;
    std::string oskPath;
    std::string statusBarFontText;
    std::int32_t startBarFontColor = 0;
    std::array<std::int32_t, 3> statusBarTextOption{};
    std::array<std::string, 3> statusBarUserText;
    std::array<std::int32_t, 3> statusBarTextOption2{};
    std::array<std::string, 3> statusBarUserText2;
    std::int32_t statusBarTextUpdateTime = 0;
    std::string statusBarDateTimeFormat;
    std::int32_t tileLabelPointSize = 0;
    std::string tileLabelFontFace;
    std::int32_t showSuspend = 0;
    std::int32_t wakeUpMonitorOnChange = 0;
    std::int32_t tileRounderCorners = 0;
    std::int32_t tileRounderRadius = 0;
    WindowPlacement placement;

    // Location
    std::string programDirPath;
    std::string dataDirPath;
    std::string tempDirPath;
    std::string themeDirPath;

    // Misc
    std::int32_t colorIconTransparent = 0;
    std::int32_t missedPingBeforeDisconnect = 0;
    std::int32_t taskTerminateWaitTime = 0;
    std::int32_t decodeTimeout = 0;
    std::int32_t maxSleepIntervalTime = 0;
    std::int32_t serverStatusColWidthId = 0;
    std::int32_t serverStatusColWidthTime = 0;
    std::int32_t serverStatusColWidthText = 0;
    std::int32_t graphKeyColWidth = 0;
    std::array<std::string, 3> logViewFilter;
    std::array<std::array<std::int32_t, 7>, 3> logViewColumnWidth{};
    std::int32_t screenDPI = 0;
    std::int32_t debugDPI = 0;
    std::int32_t auxLogSaveDays = 0;

    // Decoded forms of StatusBarFont and UILockCode (start-up step 9); saving
    // encodes them back into the texts.
    LogFont statusBarFont;
    UiLockCode uiLockCode{};

    ClientSettings();

    // Describes every setting in `table` (sections Connection, UserInterface,
    // Location, Misc), bound to this object's fields.
    void Describe(SettingsTable& table);

    // Every field takes its default, then what the store holds where it holds
    // a value of the right kind; the font and lock code are decoded.
    void Load(RegistryStore& store);
    // Encodes the font and lock code, writes every value and saves the store.
    // 0, or -1 when the store could not be written.
    int Save(RegistryStore& store);
};

}  // namespace zol
