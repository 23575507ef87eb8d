// RegistryStore: the current user's registry values of one program, kept in a
// text file in the registry's own export format ("REGEDIT4").
//
// An export made by regedit on Windows or under Wine ("Windows Registry
// Editor Version 5.00", UTF-16LE or UTF-8) is read as its ANSI form, so
// settings move over by copying the file: texts become Windows-1252 ('?' for
// characters it lacks), UTF-16 string data of hex values becomes single-byte,
// types stay. Saves always write REGEDIT4.
//
// Key paths are given below HKEY_CURRENT_USER ("Software\\Tarnwell\\ZOLCLI");
// key and value names compare without regard to case, as in the registry.
// Values keep their type and raw bytes, so type checks made by readers work
// and values of types nobody here interprets survive a save unchanged.
//
// Save() rewrites the file atomically (temporary file + rename, mode 0600)
// under an advisory lock, after re-reading it, so values written by other
// programs or other instances since Load() are kept; only the values this
// instance set replace what is on disk.
//
// Thread-safety: none; one thread uses an instance at a time.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zol {

// Registry value types (the numbers the registry uses).
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

// Result codes of the registry calls.
inline constexpr int kRegSuccess = 0;
inline constexpr int kRegFileNotFound = 2;
inline constexpr int kRegAccessDenied = 5;
inline constexpr int kRegInvalidParameter = 87;
inline constexpr int kRegMoreData = 234;
inline constexpr int kRegWriteFault = 29;

struct RegistryValue {
    std::uint32_t type = kRegNone;
    std::string data;  // the stored bytes; a REG_SZ holds no terminator unless one was written

    // The text of a string value as a C buffer holds it: up to the first zero
    // byte. Windows programs usually store the terminator, and bytes after it
    // are leftovers that must not become part of the text.
    std::string_view Text() const { return std::string_view(data).substr(0, data.find('\0')); }

    bool operator==(const RegistryValue&) const = default;
};

class RegistryStore {
  public:
    // Longest key component and value name the registry accepts.
    static constexpr std::size_t kMaxKeyNameLength = 255;
    static constexpr std::size_t kMaxValueNameLength = 16383;

    explicit RegistryStore(std::filesystem::path file);

    // The file of a program ("ZOLClient", "ZOLCLI"): $ZOL_REGISTRY_FILE when
    // set, else $XDG_CONFIG_HOME/Tarnwell/<program>.reg (~/.config when unset).
    static std::filesystem::path DefaultPath(std::string_view programName);

    const std::filesystem::path& File() const { return file_; }

    // Reads the file (REGEDIT4 or version 5). A missing file is an empty store.
    // A file that is not in the export format at all is renamed to "<file>.bad" and the store
    // starts empty; single lines that cannot be read are skipped, and the file is first copied to
    // "<file>.bad" so nothing is lost when it is next saved. Warnings go to standard error.
    void Load();

    bool KeyExists(std::string_view keyPath) const;

    // Like the registry's query: kRegFileNotFound when the key or value is
    // missing, kRegMoreData (with type and size set, data empty) when the
    // value does not fit in bufferSize bytes.
    int QueryValue(std::string_view keyPath, std::string_view valueName, std::size_t bufferSize,
                   RegistryValue& out) const;
    std::optional<RegistryValue> GetValue(std::string_view keyPath,
                                          std::string_view valueName) const;

    // Creates the key and its parents (in memory until Save()).
    int CreateKey(std::string_view keyPath);
    // Sets a value of an existing key (in memory until Save()).
    int SetValue(std::string_view keyPath, std::string_view valueName, RegistryValue value);

    // Writes the values set since Load() into the file, keeping everything
    // else the file holds. 0 on success, otherwise an errno value.
    int Save();

    // The whole file text that Save() would write for the current contents.
    std::string Serialize() const;

  private:
    struct CaseLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    struct NamedValue {
        std::string name;  // as first written, for the file
        RegistryValue value;
    };
    struct Key {
        std::string path;  // as first written
        std::map<std::string, NamedValue, CaseLess> values;
    };
    using KeyMap = std::map<std::string, Key, CaseLess>;

    enum class ParseResult { Ok, SomeLinesSkipped, NotRegistryFile };
    static ParseResult Parse(std::string_view text, KeyMap& keys,
                             std::vector<std::string>& warnings);
    static std::string SerializeKeys(const KeyMap& keys);
    static bool ValidKeyPath(std::string_view keyPath);
    Key* FindKey(std::string_view keyPath);
    const Key* FindKey(std::string_view keyPath) const;
    static Key& EnsureKey(KeyMap& keys, std::string_view keyPath);

    std::filesystem::path file_;
    KeyMap keys_;
    // What this instance changed since Load(), replayed over the file on Save().
    std::set<std::string, CaseLess> createdKeys_;
    std::vector<std::pair<std::string, NamedValue>> setValues_;
};

}  // namespace zol
