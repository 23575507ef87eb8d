#include "platform/registry_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace zol {

// Readable values in failure messages.
void PrintTo(const RegistryValue& value, std::ostream* os) {
    *os << "type " << value.type << " " << ::testing::PrintToString(value.data);
}

namespace {

namespace fs = std::filesystem;

constexpr const char* kKey = "Software\\Tarnwell\\ZOLCLI\\Connection";

class RegistryStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zol-reg-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        file_ = dir_ / "ZOLCLI.reg";
    }
    void TearDown() override { fs::remove_all(dir_); }

    void WriteFile(const std::string& text) { std::ofstream(file_, std::ios::binary) << text; }
    std::string ReadText(const fs::path& p) const {
        std::ifstream in(p, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    static RegistryValue Dword(std::uint32_t n) {
        std::string d(4, '\0');
        for (int i = 0; i < 4; ++i)
            d[static_cast<std::size_t>(i)] = static_cast<char>(n >> (8 * i));
        return {kRegDword, d};
    }

    fs::path dir_;
    fs::path file_;
};

TEST_F(RegistryStoreTest, EveryValueTypeSurvivesSaveAndLoad) {
    RegistryStore store(file_);
    store.Load();
    ASSERT_EQ(store.CreateKey(kKey), 0);
    const std::string binary("\x00\x01\xfe\xff", 4);
    const std::string expand("%TEMP%\\x\0", 9);
    const std::pair<std::string, RegistryValue> values[] = {
        {"Text", {kRegSz, "C:\\Path \"quoted\" \xe9t\xe9"}},
        {"Empty", {kRegSz, ""}},
        {"Lines", {kRegSz, "two\r\nlines\t"}},
        {"Number", Dword(0xDEADBEEF)},
        {"Expand", {kRegExpandSz, expand}},
        {"Binary", {kRegBinary, binary}},
        {"Multi", {kRegMultiSz, std::string("a\0b\0\0", 5)}},
        {"Quad", {kRegQword, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)}},
        {"ShortDword", {kRegDword, "\x07"}},
        {"", {kRegSz, "default value"}},
    };
    for (const auto& [name, value] : values)
        ASSERT_EQ(store.SetValue(kKey, name, value), 0);
    ASSERT_EQ(store.Save(), 0);

    RegistryStore again(file_);
    again.Load();
    for (const auto& [name, value] : values) {
        auto got = again.GetValue(kKey, name);
        ASSERT_TRUE(got.has_value()) << name;
        EXPECT_EQ(*got, value) << name;
    }
    const std::string text = ReadText(file_);
    EXPECT_TRUE(text.starts_with("REGEDIT4\r\n"));
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Tarnwell\\ZOLCLI\\Connection]"),
              std::string::npos);
    EXPECT_NE(text.find("\"Number\"=dword:deadbeef"), std::string::npos);
    EXPECT_NE(text.find("\"Expand\"=hex(2):25,54"), std::string::npos);
    EXPECT_NE(text.find("\"Binary\"=hex:00,01,fe,ff"), std::string::npos);
    EXPECT_NE(text.find("@=\"default value\""), std::string::npos);
}

TEST_F(RegistryStoreTest, NamesCompareWithoutRegardToCase) {
    WriteFile(
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\tarnwell\\zolcli\\connection]\r\n"
        "\"PORT\"=dword:000007d0\r\n");
    RegistryStore store(file_);
    store.Load();
    EXPECT_TRUE(store.KeyExists(kKey));
    auto v = store.GetValue(kKey, "Port");
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(*v, Dword(2000));
}

TEST_F(RegistryStoreTest, SaveKeepsValuesItDoesNotOwnAndValuesWrittenSinceLoad) {
    WriteFile(
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Other]\n\"Keep\"=\"me\"\n"
        "[HKEY_LOCAL_MACHINE\\Software\\X]\n\"Odd\"=hex(5):01,02,03,04\n");
    RegistryStore mine(file_);
    mine.Load();
    // Another instance writes after we loaded.
    RegistryStore other(file_);
    other.Load();
    ASSERT_EQ(other.CreateKey("Software\\Tarnwell\\ZOLClient"), 0);
    ASSERT_EQ(other.SetValue("Software\\Tarnwell\\ZOLClient", "Theirs", {kRegSz, "1"}), 0);
    ASSERT_EQ(other.Save(), 0);

    ASSERT_EQ(mine.CreateKey(kKey), 0);
    ASSERT_EQ(mine.SetValue(kKey, "Server", {kRegSz, "10.0.0.5"}), 0);
    ASSERT_EQ(mine.Save(), 0);

    RegistryStore check(file_);
    check.Load();
    EXPECT_EQ(check.GetValue("Software\\Other", "Keep")->data, "me");
    EXPECT_EQ(check.GetValue("Software\\Tarnwell\\ZOLClient", "Theirs")->data, "1");
    EXPECT_EQ(check.GetValue(kKey, "Server")->data, "10.0.0.5");
    EXPECT_NE(
        ReadText(file_).find("[HKEY_LOCAL_MACHINE\\Software\\X]\r\n\"Odd\"=hex(5):01,02,03,04"),
        std::string::npos);
}

TEST_F(RegistryStoreTest, SavingUnchangedValuesLeavesTheFileAlone) {
    RegistryStore store(file_);
    store.CreateKey(kKey);
    store.SetValue(kKey, "Port", Dword(2000));
    ASSERT_EQ(store.Save(), 0);
    struct stat before {};
    ASSERT_EQ(::stat(file_.c_str(), &before), 0);

    RegistryStore again(file_);
    again.Load();
    again.CreateKey(kKey);
    again.SetValue(kKey, "Port", Dword(2000));
    ASSERT_EQ(again.Save(), 0);
    struct stat after {};
    ASSERT_EQ(::stat(file_.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino) << "no new file was renamed into place";

    again.SetValue(kKey, "Port", Dword(2001));
    ASSERT_EQ(again.Save(), 0);
    RegistryStore check(file_);
    check.Load();
    EXPECT_EQ(*check.GetValue(kKey, "Port"), Dword(2001));
}

// A program saves all of its settings at exit; one it did not change must
// not undo what another instance wrote meanwhile.
TEST_F(RegistryStoreTest, ReSavingAnUnchangedValueKeepsAnotherWritersChange) {
    RegistryStore first(file_);
    first.CreateKey(kKey);
    first.SetValue(kKey, "Port", Dword(2000));
    ASSERT_EQ(first.Save(), 0);

    RegistryStore mine(file_);
    mine.Load();
    RegistryStore other(file_);
    other.Load();
    other.SetValue(kKey, "Port", Dword(2001));
    ASSERT_EQ(other.Save(), 0);

    mine.CreateKey(kKey);
    mine.SetValue(kKey, "Port", Dword(2000));  // what it loaded
    ASSERT_EQ(mine.Save(), 0);
    RegistryStore check(file_);
    check.Load();
    EXPECT_EQ(*check.GetValue(kKey, "Port"), Dword(2001));
}

TEST_F(RegistryStoreTest, SavedFileIsPrivateToTheUser) {
    RegistryStore store(dir_ / "sub" / "ZOLCLI.reg");
    store.Load();
    ASSERT_EQ(store.CreateKey(kKey), 0);
    ASSERT_EQ(store.Save(), 0);
    struct stat st {};
    ASSERT_EQ(::stat((dir_ / "sub" / "ZOLCLI.reg").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(RegistryStoreTest, QueryReportsMoreDataWhenTheBufferIsTooSmall) {
    RegistryStore store(file_);
    store.Load();
    store.CreateKey(kKey);
    store.SetValue(kKey, "Long", {kRegSz, std::string(300, 'x')});
    RegistryValue out;
    EXPECT_EQ(store.QueryValue(kKey, "Long", 256, out), kRegMoreData);
    EXPECT_EQ(out.type, kRegSz);
    EXPECT_EQ(store.QueryValue(kKey, "Long", 300, out), kRegSuccess);
    EXPECT_EQ(out.data.size(), 300u);
    EXPECT_EQ(store.QueryValue(kKey, "Missing", 256, out), kRegFileNotFound);
    EXPECT_EQ(store.QueryValue("Software\\Nope", "Long", 256, out), kRegFileNotFound);
}

TEST_F(RegistryStoreTest, SetValueNeedsAnExistingKeyAndValidNames) {
    RegistryStore store(file_);
    store.Load();
    EXPECT_EQ(store.SetValue(kKey, "X", {kRegSz, "y"}), kRegFileNotFound);
    EXPECT_EQ(store.CreateKey("Software\\\\Double"), kRegInvalidParameter);
    EXPECT_EQ(store.CreateKey(""), kRegInvalidParameter);
    EXPECT_EQ(store.CreateKey("Software\\" + std::string(256, 'k')), kRegInvalidParameter);
    ASSERT_EQ(store.CreateKey(kKey), 0);
    EXPECT_EQ(store.SetValue(kKey, std::string(16384, 'n'), {kRegSz, "y"}), kRegInvalidParameter);
}

// Files damaged in different ways: what can be read is used, the rest falls
// back to defaults, and the original bytes are kept beside the file.
TEST_F(RegistryStoreTest, DamagedFilesAreReadAsFarAsPossibleAndKeptAside) {
    const std::string good =
        "[HKEY_CURRENT_USER\\Software\\Tarnwell\\ZOLCLI\\Connection]\n"
        "\"Port\"=dword:00000050\n";
    struct Case {
        const char* what;
        std::string text;
        bool portReadable;
    };
    const Case cases[] = {
        {"truncated string", "REGEDIT4\n" + good + "\"Server\"=\"10.0.0", true},
        {"odd hex digits", "REGEDIT4\n" + good + "\"Bin\"=hex:0,1a,2\n", true},
        {"bad dword", "REGEDIT4\n" + good + "\"N\"=dword:xyz\n", true},
        {"garbage line", "REGEDIT4\n" + good + std::string("\x01\x02\xff\x00zz\n", 6), true},
        {"value before any key", "REGEDIT4\n\"Lost\"=\"x\"\n" + good, true},
        {"unterminated key", "REGEDIT4\n[HKEY_CURRENT_USER\\Software\n\"Port\"=dword:1\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(c.text);
        fs::remove(dir_ / "ZOLCLI.reg.bad");
        testing::internal::CaptureStderr();
        RegistryStore store(file_);
        store.Load();
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("warning"), std::string::npos);
        EXPECT_EQ(store.GetValue(kKey, "Port").has_value(), c.portReadable);
        EXPECT_EQ(ReadText(dir_ / "ZOLCLI.reg.bad"), c.text) << "original kept aside";
        EXPECT_EQ(ReadText(file_), c.text) << "original left in place until a save";
    }
}

TEST_F(RegistryStoreTest, AFileThatIsNotAnExportIsRenamedAsideAndDefaultsUsed) {
    const std::string garbage(
        "\x7f"
        "ELF\x02\x01\x01\x00garbage",
        16);
    WriteFile(garbage);
    testing::internal::CaptureStderr();
    RegistryStore store(file_);
    store.Load();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("not a REGEDIT4 file"), std::string::npos);
    EXPECT_FALSE(fs::exists(file_));
    EXPECT_EQ(ReadText(dir_ / "ZOLCLI.reg.bad"), garbage);
    EXPECT_FALSE(store.KeyExists(kKey));
}

TEST_F(RegistryStoreTest, DuplicateKeysMergeAndTheLastValueWins) {
    WriteFile(
        "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Tarnwell\\ZOLCLI\\Connection]\n"
        "\"Port\"=dword:1\n\"Server\"=\"a\"\n"
        "[HKEY_CURRENT_USER\\Software\\Tarnwell\\ZOLCLI\\Connection]\n\"Port\"=dword:2\n");
    RegistryStore store(file_);
    store.Load();
    EXPECT_EQ(*store.GetValue(kKey, "Port"), Dword(2));
    EXPECT_EQ(store.GetValue(kKey, "Server")->data, "a");
}

TEST_F(RegistryStoreTest, LongHexValuesMayContinueOnTheNextLine) {
    for (const std::string eol : {"\n", "\r\n"}) {
        WriteFile("REGEDIT4" + eol + "[HKEY_CURRENT_USER\\Software\\Tarnwell\\ZOLCLI\\Connection]" +
                  eol + "\"Bin\"=hex:01,02,\\" + eol + "  03,04" + eol + "\"After\"=\"ok\"" + eol);
        RegistryStore store(file_);
        store.Load();
        EXPECT_EQ(store.GetValue(kKey, "Bin")->data, "\x01\x02\x03\x04");
        EXPECT_EQ(store.GetValue(kKey, "After")->data, "ok");
    }
}

// What regedit writes on Windows or under Wine: UTF-16LE with a byte-order
// mark; string data of hex(1), hex(2) and hex(7) values is UTF-16 too.
std::string Utf16LeFile(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

// The same text as UTF-8, as some tools save an export.
std::string Utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        const int tail = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        static constexpr unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
        out += static_cast<char>(kLead[tail] | (c >> (6 * tail)));
        for (int k = tail - 1; k >= 0; --k)
            out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
    return out;
}

// An export from a Windows machine is read like a REGEDIT4 file: texts become
// Windows-1252 ('?' where it has no character), string data of hex(1),
// hex(2) and hex(7) becomes single-byte, types stay; a save writes REGEDIT4
// and keeps the values the program does not own.
TEST_F(RegistryStoreTest, AWindowsVersion5ExportIsReadAsItsAnsiForm) {
    const std::u16string exported =
        u"Windows Registry Editor Version 5.00\r\n\r\n"
        u"[HKEY_CURRENT_USER\\Software\\Tarnwell\\ZOLCLI\\Connection]\r\n"
        u"\"Server\"=\"Caf\u00e9 \u20ac \u03a9 \U0001F600 \\\\srv\\\"x\\\"\"\r\n"
        u"\"Port\"=dword:000007d1\r\n"
        u"\"Path\"=hex(2):25,00,54,00,25,00,5c,00,\\\r\n"
        u"  e9,00,ac,20,a9,03,00,00\r\n"
        u"\"Multi\"=hex(7):61,00,00,00,e9,00,00,00,00,00\r\n"
        u"\"Hex1\"=hex(1):68,00,69,00,00,00\r\n"
        u"\"Bin\"=hex:01,02,\\\r\n  03\r\n"
        u"\"Caf\u00e9\"=\"f\u00fcnf\"\r\n"
        u"\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n"
        u"@=\"\u2018kept\u2019\"\r\n\r\n";
    const std::pair<std::string, RegistryValue> expected[] = {
        {"Server", {kRegSz, "Caf\xE9 \x80 ? ? \\srv\"x\""}},
        {"Port", Dword(2001)},
        {"Path", {kRegExpandSz, std::string("%T%\\\xE9\x80?\0", 8)}},
        {"Multi", {kRegMultiSz, std::string("a\0\xE9\0\0", 5)}},
        {"Hex1", {kRegSz, std::string("hi\0", 3)}},
        {"Bin", {kRegBinary, "\x01\x02\x03"}},
        {"Caf\xE9", {kRegSz, "f\xFCnf"}},
    };
    const std::pair<const char*, std::string> forms[] = {
        {"UTF-16LE", Utf16LeFile(exported)},
        {"UTF-8", Utf8(exported)},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + Utf8(exported)},
    };
    for (const auto& [form, bytes] : forms) {
        SCOPED_TRACE(form);
        WriteFile(bytes);
        fs::remove(dir_ / "ZOLCLI.reg.bad");
        testing::internal::CaptureStderr();
        RegistryStore store(file_);
        store.Load();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_FALSE(fs::exists(dir_ / "ZOLCLI.reg.bad"));
        for (const auto& [name, value] : expected)
            EXPECT_EQ(store.GetValue(kKey, name), value) << name;
        EXPECT_EQ(store.GetValue("Software\\Other", ""), (RegistryValue{kRegSz, "\x91kept\x92"}));

        ASSERT_EQ(store.SetValue(kKey, "Port", Dword(2002)), 0);
        const std::string asRead = store.Serialize();
        ASSERT_EQ(store.Save(), 0);
        EXPECT_TRUE(ReadText(file_).starts_with("REGEDIT4\r\n"));
        RegistryStore again(file_);
        again.Load();
        EXPECT_EQ(again.Serialize(), asRead) << "every value kept as read, the new port too";
    }
}

TEST_F(RegistryStoreTest, AOneMebibyteValueIsReadWhole) {
    std::string big(1 << 20, 'z');
    WriteFile("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Tarnwell\\ZOLCLI\\Connection]\n\"Big\"=\"" +
              big + "\"\n");
    RegistryStore store(file_);
    store.Load();
    EXPECT_EQ(store.GetValue(kKey, "Big")->data.size(), big.size());
}

TEST_F(RegistryStoreTest, SaveIntoAnUnwritableFolderFails) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes anywhere";
    fs::create_directories(dir_ / "ro");
    fs::permissions(dir_ / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    RegistryStore store(dir_ / "ro" / "x.reg");
    store.Load();
    store.CreateKey(kKey);
    EXPECT_NE(store.Save(), 0);
    fs::permissions(dir_ / "ro", fs::perms::owner_all);
}

TEST_F(RegistryStoreTest, SaveWhereTheFileIsAFolderFails) {
    fs::create_directories(file_);
    RegistryStore store(file_);
    store.CreateKey(kKey);
    EXPECT_NE(store.Save(), 0);
}

TEST_F(RegistryStoreTest, EnvironmentOverridesTheDefaultLocation) {
    ::setenv("ZOL_REGISTRY_FILE", "/tmp/override.reg", 1);
    EXPECT_EQ(RegistryStore::DefaultPath("ZOLCLI"), fs::path("/tmp/override.reg"));
    ::unsetenv("ZOL_REGISTRY_FILE");
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(RegistryStore::DefaultPath("ZOLClient"), fs::path("/cfg/Tarnwell/ZOLClient.reg"));
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", "/home/u", 1);
    EXPECT_EQ(RegistryStore::DefaultPath("ZOLCLI"),
              fs::path("/home/u/.config/Tarnwell/ZOLCLI.reg"));
}

// A writer killed at any moment of a save leaves either the old or the new
// file, never a mix or a torn one.
TEST_F(RegistryStoreTest, AWriterKilledDuringASaveLeavesAWholeFile) {
    const std::string oldText(200'000, 'o');
    const std::string newText(200'000, 'n');
    {
        RegistryStore store(file_);
        store.CreateKey(kKey);
        store.SetValue(kKey, "V", {kRegSz, oldText});
        ASSERT_EQ(store.Save(), 0);
    }
    for (int round = 0; round < 20; ++round) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                RegistryStore store(file_);
                store.CreateKey(kKey);
                store.SetValue(kKey, "V", {kRegSz, i % 2 ? oldText : newText});
                store.Save();
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500 + 1500 * round));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        testing::internal::CaptureStderr();
        RegistryStore check(file_);
        check.Load();
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(err, "") << "round " << round;
        auto v = check.GetValue(kKey, "V");
        ASSERT_TRUE(v.has_value()) << "round " << round;
        EXPECT_TRUE(v->data == oldText || v->data == newText) << "round " << round;
    }
}

}  // namespace
}  // namespace zol
