#include "serverlink/settings_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace zol {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr const char* kBase = "Software\\Tarnwell\\ZOLCLI";
constexpr const char* kConnection = "Software\\Tarnwell\\ZOLCLI\\Connection";

// A small program's settings: two sections, texts and numbers.
struct ProgramSettings {
    std::string server;
    std::string password;
    std::int32_t port = 0;
    std::int32_t timeout = 0;

    void Describe(SettingsTable& table) {
        SettingsSection& connection = table.AddSection("Connection");
        AddTextSetting(connection, "Server", server, "127.0.0.1");
        AddNumberSetting(connection, "Port", port, 2000);
        AddTextSetting(connection, "Password", password, "");
        SettingsSection& timing = table.AddSection("Timing");
        AddNumberSetting(timing, "Timeout", timeout, 30);
    }
};

class SettingsTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zol-settings-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        file_ = dir_ / "ZOLCLI.reg";
    }
    void TearDown() override { fs::remove_all(dir_); }

    ProgramSettings LoadFresh() {
        RegistryStore store(file_);
        store.Load();
        ProgramSettings s;
        SettingsTable table(store, kBase);
        s.Describe(table);
        ApplyDefaults(table);
        EXPECT_EQ(LoadSettings(table), 0);
        return s;
    }
    void Store(const std::string& value, const std::string& name, RegistryValue v,
               const char* key = kConnection) {
        RegistryStore store(file_);
        store.Load();
        store.CreateKey(key);
        store.SetValue(key, name, std::move(v));
        ASSERT_EQ(store.Save(), 0) << value;
    }

    fs::path dir_;
    fs::path file_;
};

TEST_F(SettingsTableTest, EntriesAreNumberedInOrderOfCreationAndAddedAtTheFront) {
    RegistryStore store(file_);
    SettingsTable table(store, kBase);
    ProgramSettings s;
    s.Describe(table);
    ASSERT_EQ(table.Sections().size(), 2u);
    EXPECT_EQ(table.Sections().front().name, "Timing");
    const auto& connection = table.Sections().back();
    EXPECT_EQ(connection.entries.front().valueName, "Password");
    EXPECT_EQ(connection.entries.front().number, 3);
    EXPECT_EQ(connection.entries.back().number, 1);
    EXPECT_EQ(table.Sections().front().entries.front().number, 4);
    EXPECT_EQ(table.SectionKey(connection), kConnection);
}

TEST_F(SettingsTableTest, AFirstStartRunsOnDefaultsAndStoringCreatesEverything) {
    ProgramSettings s = LoadFresh();
    EXPECT_EQ(s.server, "127.0.0.1");
    EXPECT_EQ(s.port, 2000);
    EXPECT_EQ(s.password, "");
    EXPECT_EQ(s.timeout, 30);

    RegistryStore store(file_);
    store.Load();
    SettingsTable table(store, kBase);
    s.port = 8080;
    s.Describe(table);
    ASSERT_EQ(SaveSettings(table), 0);

    RegistryStore check(file_);
    check.Load();
    EXPECT_EQ(*check.GetValue(kConnection, "Server"), (RegistryValue{kRegSz, "127.0.0.1"}))
        << "text stored without terminator";
    EXPECT_EQ(*check.GetValue(kConnection, "Password"), (RegistryValue{kRegSz, ""}));
    EXPECT_EQ(*check.GetValue(kConnection, "Port"),
              (RegistryValue{kRegDword, std::string("\x90\x1f\x00\x00", 4)}));
    EXPECT_TRUE(check.GetValue("Software\\Tarnwell\\ZOLCLI\\Timing", "Timeout").has_value());
    EXPECT_EQ(LoadFresh().port, 8080);
}

TEST_F(SettingsTableTest, ValuesOfTheWrongTypeAreIgnored) {
    Store("expand", "Server", {kRegExpandSz, "10.1.1.1"});
    Store("number as text", "Port", {kRegSz, "8080"});
    ProgramSettings s = LoadFresh();
    EXPECT_EQ(s.server, "127.0.0.1");
    EXPECT_EQ(s.port, 2000);
}

TEST_F(SettingsTableTest, TextsOf256BytesOrMoreAreIgnored) {
    Store("255", "Server", {kRegSz, std::string(255, 'a')});
    EXPECT_EQ(LoadFresh().server, std::string(255, 'a'));
    Store("256", "Server", {kRegSz, std::string(256, 'b')});
    EXPECT_EQ(LoadFresh().server, "127.0.0.1");
    Store("300", "Server", {kRegSz, std::string(300, 'c')});
    EXPECT_EQ(LoadFresh().server, "127.0.0.1");
}

// A text stored with its terminator (as Windows programs write them) ends at
// its first zero byte, whichever form the file gives it; what follows must
// not travel on inside the value.
TEST_F(SettingsTableTest, TextsEndAtTheirFirstZeroByte) {
    std::ofstream(file_, std::ios::binary)
        << ("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Tarnwell\\ZOLCLI\\Connection]\r\n"
            "\"Password\"=hex(1):73,65,63,00,6f,6c,64\r\n"
            "\"Server\"=\"10.0.0.9\0junk\"\r\n"s);
    ProgramSettings s = LoadFresh();
    EXPECT_EQ(s.password, "sec");
    EXPECT_EQ(s.server, "10.0.0.9");

    Store("terminated", "Password", {kRegSz, std::string("secret\0", 7)});
    Store("leading zero", "Server", {kRegSz, std::string("\0old", 4)});
    s = LoadFresh();
    EXPECT_EQ(s.password, "secret");
    EXPECT_EQ(s.server, "");
}

TEST_F(SettingsTableTest, StoredEmptyTextAndShortOrEmptyNumbers) {
    Store("empty", "Server", {kRegSz, ""});
    Store("empty dword", "Port", {kRegDword, ""});
    Store("two bytes", "Timeout", {kRegDword, std::string("\x10\x00", 2)},
          "Software\\Tarnwell\\ZOLCLI\\Timing");
    ProgramSettings s = LoadFresh();
    EXPECT_EQ(s.server, "");
    EXPECT_EQ(s.port, 2000) << "a value of size 0 is ignored";
    EXPECT_EQ(s.timeout, 16);
}

TEST_F(SettingsTableTest, OversizedNumbersAreIgnored) {
    Store("qword-sized dword", "Port", {kRegDword, std::string(8, '\x01')});
    EXPECT_EQ(LoadFresh().port, 2000);
}

TEST_F(SettingsTableTest, LoadLeavesValuesOfMissingSectionsAlone) {
    Store("only connection", "Port", {kRegDword, std::string("\x01\x00\x00\x00", 4)});
    RegistryStore store(file_);
    store.Load();
    ProgramSettings s;
    s.timeout = 99;  // the last value, not the default
    SettingsTable table(store, kBase);
    s.Describe(table);
    LoadSettings(table);
    EXPECT_EQ(s.port, 1);
    EXPECT_EQ(s.timeout, 99);
}

TEST_F(SettingsTableTest, SaveFailsWithMinusOneWhenTheStoreCannotBeWritten) {
    fs::create_directories(file_);  // a folder where the file should be
    RegistryStore store(file_);
    ProgramSettings s;
    SettingsTable table(store, kBase);
    s.Describe(table);
    ApplyDefaults(table);
    EXPECT_EQ(SaveSettings(table), -1);
}

TEST_F(SettingsTableTest, SaveStopsAtTheFirstFailedWrite) {
    RegistryStore store(file_);
    ProgramSettings s;
    std::string other;
    SettingsTable table(store, kBase);
    s.Describe(table);
    SettingsSection& bad = table.AddSection("Broken");  // saved first: it is at the front
    AddTextSetting(bad, std::string(RegistryStore::kMaxValueNameLength + 1, 'n'), other, "x");
    ApplyDefaults(table);
    EXPECT_EQ(SaveSettings(table), -1);
    EXPECT_FALSE(fs::exists(file_)) << "nothing reaches the file after a failed write";
}

}  // namespace
}  // namespace zol
