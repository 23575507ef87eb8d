#include "client/core/client_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <variant>

#include "temp_dir.h"

namespace zol {
namespace {

using Default = std::variant<std::int32_t, std::string>;

struct ExpectedSetting {
    std::string section;
    std::string key;
    Default value;
};

// The settings table as documented for users, written out independently of
// the code that builds it.
std::vector<ExpectedSetting> DocumentedDefaults() {
    std::vector<ExpectedSetting> e = {
        {"Connection", "ServerPort", 2000},
        {"Connection", "PrimaryType", 0},
        {"Connection", "PrimaryIPAddress", 0},
        {"Connection", "PrimaryName", std::string()},
        {"Connection", "Password", std::string()},
        {"Connection", "SecondaryType", 0},
        {"Connection", "SecondaryIPAddress", 0},
        {"Connection", "SecondaryName", std::string()},
        {"Connection", "KeepAliveEnable", 1},
        {"Connection", "KeepAliveTime", 5},
        {"Connection", "ServerReplyTimeout", 10},
        {"Connection", "ServerConnectTimeout", 10},
        {"Connection", "ServerSendTimeout", 10},
        {"Connection", "ClientName", std::string()},
        {"Connection", "ClientSound", 1},
        {"Connection", "AutoReconnect", 1},
        {"Connection", "AutoReconnectTime", 30},
        {"Connection", "AutoConnect", 0},
        {"Connection", "AutoCloseConnectDialog", 0},
        {"Connection", "AutoCloseConnectDialogTime", 10},
        {"Connection", "PostConnectLockOption", 0},
        {"Connection", "UIExitPasswordEnable", 0},
        {"Connection", "UILockCode", std::string("629148305716")},
        {"Connection", "CloudMasterDisable", 0},
        {"Connection", "useAgentConnection", 0},
        {"Connection", "agentAddress", std::string("relay.zol-cloud.example")},
        {"Connection", "agentPort", 2000},
        {"Connection", "agentPostConnectWaitSeconds", 3},
        {"Connection", "agentPingSeconds", 30},
        {"Connection", "agentToken", std::string()},
        {"Connection", "agentLog", 1},
        {"UserInterface", "HomePageEnable", 0},
        {"UserInterface", "HomePageName", std::string()},
        {"UserInterface", "TextColor", 16246731},
        {"UserInterface", "BackgroundColor", 3811849},
        {"UserInterface", "OnColor", 65535},
        {"UserInterface", "SuspendColor", 0},
        {"UserInterface", "ModeSuspendColor", 65280},
        {"UserInterface", "ErrorConditionColor", 255},
        {"UserInterface", "EnablePopupCloseTime", 0},
        {"UserInterface", "TUIPopupCloseTime", 60},
        {"UserInterface", "EnableHomeReturnTime", 0},
        {"UserInterface", "TUIHomeReturnTime", 60},
        {"UserInterface", "TUIShortTapTime", 500},
        {"UserInterface", "homePageImageEnable", 0},
        {"UserInterface", "homePageImagePath", std::string()},
        {"UserInterface", "themeSpacingEnable", 0},
        {"UserInterface", "themeSpacingX", 200},
        {"UserInterface", "themeSpacingY", 200},
        {"UserInterface", "TUI110FontSize", 18},
        {"UserInterface", "TUI54FontSize", 15},
        {"UserInterface", "OSKPath", std::string("onboard")},
        {"UserInterface", "StatusBarFont",
         std::string("-35,0,0,0,400,0,0,0,0,0,0,0,32,Open Sans Light")},
        {"UserInterface", "StartBarFontColor", 16777215},
        {"UserInterface", "StatusBarTextOption1", 1},
        {"UserInterface", "StatusBarTextOption2", 0},
        {"UserInterface", "StatusBarTextOption3", 2},
        {"UserInterface", "StatusBarUserText1", std::string()},
        {"UserInterface", "StatusBarUserText2", std::string()},
        {"UserInterface", "StatusBarUserText3", std::string()},
        {"UserInterface", "StatusBarTextOption1_2", 1},
        {"UserInterface", "StatusBarTextOption2_2", 0},
        {"UserInterface", "StatusBarTextOption3_2", 2},
        {"UserInterface", "StatusBarUserText1_2", std::string()},
        {"UserInterface", "StatusBarUserText2_2", std::string()},
        {"UserInterface", "StatusBarUserText3_2", std::string()},
        {"UserInterface", "StatusBarTextUpdateTime", 5},
        {"UserInterface", "StatusBarDateTimeFormat", std::string("%A %B %d - %I:%M %p")},
        {"UserInterface", "TileLabelPointSize", 20},
        {"UserInterface", "TileLabelFontFace", std::string("Open Sans Light")},
        {"UserInterface", "ShowSuspend", 0},
        {"UserInterface", "WakeUpMonitorOnChange", 0},
        {"UserInterface", "TileRounderCorners", 0},
        {"UserInterface", "TileRounderRadius", 20},
        {"UserInterface", "Pos.flags", 0},
        {"UserInterface", "Pos.showCmd", 0},
        {"UserInterface", "Pos.minPos.x", 0},
        {"UserInterface", "Pos.minPos.y", 0},
        {"UserInterface", "Pos.maxPos.x", 0},
        {"UserInterface", "Pos.maxPos.y", 0},
        {"UserInterface", "Pos.normalPos.left", 0},
        {"UserInterface", "Pos.normalPos.right", 0},
        {"UserInterface", "Pos.normalPos.top", 0},
        {"UserInterface", "Pos.normalPos.bottom", 0},
        {"Location", "ProgramDirPath", std::string()},
        {"Location", "DataDirPath", std::string()},
        {"Location", "TempDirPath", std::string()},
        {"Location", "ThemeDirPath", std::string()},
        {"Misc", "ColorIconTransparent", 61184},
        {"Misc", "MissedPingBeforeDisconnect", 2},
        {"Misc", "TaskTerminateWaitTime", 5},
        {"Misc", "DecodeTimeout", 10},
        {"Misc", "MaxSleepIntervalTime", 1000},
        {"Misc", "ServerStatusColWidthId", 57},
        {"Misc", "ServerStatusColWidthTime", 127},
        {"Misc", "ServerStatusColWidthText", 327},
        {"Misc", "GraphKeyColWidth", 318},
        {"Misc", "ScreenDPI", 0},
        {"Misc", "DebugDPI", 0},
        {"Misc", "AuxLogSaveDays", 7},
    };
    const std::int32_t widths[7] = {55, 127, 31, 36, 45, 86, 252};
    for (int view = 1; view <= 3; ++view) {
        const std::string prefix = "Log" + std::to_string(view) + "View";
        e.push_back({"Misc", prefix + "Filter", std::string()});
        for (int col = 0; col < 7; ++col) {
            e.push_back({"Misc", prefix + "ColumnWidth" + std::to_string(col), widths[col]});
        }
    }
    return e;
}

std::string SectionKey(const std::string& section) {
    return std::string(kClientRegistryKey) + "\\" + section;
}

RegistryValue Dword(std::uint32_t n) {
    std::string d(4, '\0');
    for (std::size_t i = 0; i < 4; ++i)
        d[i] = static_cast<char>(n >> (8 * i));
    return {kRegDword, d};
}

class ClientSettingsTest : public ::testing::Test {
  protected:
    testing::TempDir dir_;
    std::filesystem::path file_ = dir_.Path() / "ZOLClient.reg";
};

TEST_F(ClientSettingsTest, FirstStartYieldsExactlyTheDocumentedDefaults) {
    RegistryStore store(file_);
    store.Load();
    ClientSettings settings;
    settings.Load(store);
    EXPECT_EQ(settings.uiLockCodeText, "629148305716");
    ASSERT_EQ(settings.Save(store), 0);

    // Every documented value is written, with its kind and default, and
    // nothing else is.
    RegistryStore saved(file_);
    saved.Load();
    const auto expected = DocumentedDefaults();
    for (const auto& e : expected) {
        auto value = saved.GetValue(SectionKey(e.section), e.key);
        ASSERT_TRUE(value.has_value()) << e.section << "\\" << e.key;
        if (e.key == "UILockCode") {
            // The lock code is saved in its encoded form: 32 hex digits.
            EXPECT_EQ(*value, (RegistryValue{kRegSz, "629148305716" + std::string(20, '0')}));
        } else if (const auto* n = std::get_if<std::int32_t>(&e.value)) {
            EXPECT_EQ(*value, Dword(static_cast<std::uint32_t>(*n))) << e.key;
        } else {
            EXPECT_EQ(*value, (RegistryValue{kRegSz, std::get<std::string>(e.value)})) << e.key;
        }
    }
    SettingsTable table(store, kClientRegistryKey);
    settings.Describe(table);
    std::size_t entries = 0;
    for (const auto& section : table.Sections())
        entries += section.entries.size();
    EXPECT_EQ(entries, expected.size());

    EXPECT_EQ(settings.statusBarFont.height, -35);
    EXPECT_EQ(settings.statusBarFont.faceName, "Open Sans Light");
    const UiLockCode lock = {0x62, 0x91, 0x48, 0x30, 0x57, 0x16};
    EXPECT_EQ(settings.uiLockCode, lock);
}

TEST_F(ClientSettingsTest, StoredValuesReplaceDefaultsAndWindowEdgesKeepTheirSwappedNames) {
    {
        RegistryStore store(file_);
        store.Load();
        ClientSettings settings;
        settings.serverPort = 2100;
        settings.primaryName = "house.example";
        settings.placement.normalPosition = {10, 20, 1010, 720};
        settings.logViewColumnWidth[2][6] = 99;
        ASSERT_EQ(settings.Save(store), 0);
    }
    RegistryStore store(file_);
    store.Load();
    const std::string ui = SectionKey("UserInterface");
    // The value named ...right holds the top edge and ...top the right edge.
    EXPECT_EQ(store.GetValue(ui, "Pos.normalPos.right"), Dword(20));
    EXPECT_EQ(store.GetValue(ui, "Pos.normalPos.top"), Dword(1010));
    EXPECT_EQ(store.GetValue(SectionKey("Misc"), "Log3ViewColumnWidth6"), Dword(99));

    ClientSettings loaded;
    loaded.Load(store);
    EXPECT_EQ(loaded.serverPort, 2100);
    EXPECT_EQ(loaded.primaryName, "house.example");
    EXPECT_EQ(loaded.placement.normalPosition, (PlacementRect{10, 20, 1010, 720}));
    EXPECT_EQ(loaded.logViewColumnWidth[2][6], 99);
}

TEST_F(ClientSettingsTest, WrongTypesAndOversizedTextsLeaveTheDefaults) {
    RegistryStore store(file_);
    store.Load();
    const std::string connection = SectionKey("Connection");
    ASSERT_EQ(store.CreateKey(connection), 0);
    store.SetValue(connection, "ServerPort", {kRegSz, "2100"});
    store.SetValue(connection, "PrimaryName", Dword(7));
    store.SetValue(connection, "Password", {kRegExpandSz, "secret"});
    store.SetValue(connection, "ClientName", {kRegSz, std::string(300, 'x')});
    store.SetValue(connection, "agentToken", {kRegSz, std::string(254, 't')});
    store.SetValue(connection, "UILockCode", {kRegSz, "12 zz"});
    const std::string ui = SectionKey("UserInterface");
    ASSERT_EQ(store.CreateKey(ui), 0);
    store.SetValue(ui, "StatusBarFont", {kRegSz, "-20,0,0"});
    store.SetValue(ui, "TextColor", {kRegBinary, std::string("\x01\x02\x03\x04", 4)});

    ClientSettings settings;
    settings.Load(store);
    EXPECT_EQ(settings.serverPort, 2000);
    EXPECT_EQ(settings.primaryName, "");
    EXPECT_EQ(settings.password, "");
    EXPECT_EQ(settings.clientName, "");
    EXPECT_EQ(settings.agentToken, std::string(254, 't'));
    EXPECT_EQ(settings.uiLockCode, UiLockCode{});
    EXPECT_EQ(settings.statusBarFont, DecodeStatusBarFont(kDefaultStatusBarFontText));
    EXPECT_EQ(settings.textColor, 16246731);
}

}  // namespace
}  // namespace zol
