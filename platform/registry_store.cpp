#include "registry_store.h"
#include "platform/ascii_text.h"
#include "platform/windows1252.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <system_error>

namespace zol {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
// What regedit writes on Windows NT and later, and under Wine: the file is
// UTF-16LE (or, from some tools, UTF-8) and so is the string data of hex
// values. It is read as its ANSI form; saves write REGEDIT4.
constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUserHive = "HKEY_CURRENT_USER\\";

std::string FullKeyPath(std::string_view keyPath) {
    std::string full(kUserHive);
    full += keyPath;
    return full;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() &&
           (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n')) {
        s.remove_suffix(1);
    }
    return s;
}

// Reads a quoted text with the export format's escapes (\\ and \"), starting
// at the opening quote. Advances `pos` past the closing quote.
std::optional<std::string> ReadQuoted(std::string_view line, std::size_t& pos) {
    if (pos >= line.size() || line[pos] != '"')
        return std::nullopt;
    std::string out;
    for (std::size_t i = pos + 1; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"')) {
            out += line[++i];
        } else if (c == '"') {
            pos = i + 1;
            return out;
        } else {
            out += c;
        }
    }
    return std::nullopt;  // no closing quote: a truncated line
}

std::string Utf16LeToWindows1252(std::string_view bytes) {
    auto unit = [&](std::size_t i) -> char32_t {
        return static_cast<unsigned char>(bytes[i]) |
               static_cast<char32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    };
    std::string out;
    out.reserve(bytes.size() / 2);
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        // A surrogate pair is one character beyond Windows-1252: one '?'.
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) < 0xE000)
            i += 2;
        out += UnicodeToWindows1252(c);
    }
    if (i < bytes.size())
        out += '?';  // half a code unit
    return out;
}

bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// Reads "xx,xx,..." (two hex digits a byte; blanks around commas allowed).
std::optional<std::string> ReadHexBytes(std::string_view list) {
    std::string out;
    list = Trim(list);
    if (list.empty())
        return out;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        std::string_view token = Trim(list.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (token.size() != 2)
            return std::nullopt;
        int hi = HexDigitValue(token[0]);
        int lo = HexDigitValue(token[1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return out;
}

// Parses the right-hand side of a value line. nullopt: malformed.
// A deletion ("-") yields a value of type kRegNone with `deleted` set.
// `wideStrings`: string data given as hex bytes is UTF-16LE (version 5).
std::optional<RegistryValue> ReadValueData(std::string_view rhs, bool wideStrings, bool& deleted) {
    deleted = false;
    rhs = Trim(rhs);
    if (rhs == "-") {
        deleted = true;
        return RegistryValue{};
    }
    if (!rhs.empty() && rhs.front() == '"') {
        std::size_t pos = 0;
        auto text = ReadQuoted(rhs, pos);
        if (!text || !Trim(rhs.substr(pos)).empty())
            return std::nullopt;
        return RegistryValue{kRegSz, std::move(*text)};
    }
    std::string lower;
    for (char c : rhs.substr(0, std::min<std::size_t>(rhs.size(), 16)))
        lower += LowerAscii(c);
    if (lower.starts_with("dword:")) {
        std::string_view digits = Trim(rhs.substr(6));
        if (digits.empty() || digits.size() > 8)
            return std::nullopt;
        std::uint32_t v = 0;
        for (char c : digits) {
            int d = HexDigitValue(c);
            if (d < 0)
                return std::nullopt;
            v = v * 16 + static_cast<std::uint32_t>(d);
        }
        std::string data(4, '\0');
        for (int i = 0; i < 4; ++i)
            data[static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
        return RegistryValue{kRegDword, std::move(data)};
    }
    if (lower.starts_with("hex:")) {
        auto bytes = ReadHexBytes(rhs.substr(4));
        if (!bytes)
            return std::nullopt;
        return RegistryValue{kRegBinary, std::move(*bytes)};
    }
    if (lower.starts_with("hex(")) {
        std::size_t close = rhs.find("):");
        if (close == std::string_view::npos || close == 4 || close > 12)
            return std::nullopt;
        std::uint32_t type = 0;
        for (char c : rhs.substr(4, close - 4)) {
            int d = HexDigitValue(c);
            if (d < 0)
                return std::nullopt;
            type = type * 16 + static_cast<std::uint32_t>(d);
        }
        auto bytes = ReadHexBytes(rhs.substr(close + 2));
        if (!bytes)
            return std::nullopt;
        if (wideStrings && IsStringType(type))
            return RegistryValue{type, Utf16LeToWindows1252(*bytes)};
        return RegistryValue{type, std::move(*bytes)};
    }
    return std::nullopt;
}

std::string HexList(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i != 0)
            out += ',';
        auto b = static_cast<unsigned char>(bytes[i]);
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}

std::string Quote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

// A text can be written between quotes when it holds no control bytes, which
// would break the line structure of the file.
bool QuotableText(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) {
        auto b = static_cast<unsigned char>(c);
        return b < 0x20 || b == 0x7F;
    });
}

std::string FormatValue(const RegistryValue& v) {
    if (v.type == kRegSz && QuotableText(v.data))
        return Quote(v.data);
    if (v.type == kRegDword && v.data.size() == 4) {
        std::uint32_t n = 0;
        for (int i = 3; i >= 0; --i)
            n = (n << 8) | static_cast<unsigned char>(v.data[static_cast<std::size_t>(i)]);
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x", n);
        return buf;
    }
    if (v.type == kRegBinary)
        return "hex:" + HexList(v.data);
    char prefix[24];
    std::snprintf(prefix, sizeof prefix, "hex(%x):", v.type);
    return prefix + HexList(v.data);
}

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

// Warnings go to standard error through stdio: the command-line client
// otherwise pays for setting up the standard streams on every run.
void Warn(std::initializer_list<std::string_view> parts) {
    std::string text = "warning: ";
    for (std::string_view part : parts)
        text.append(part);
    text += '\n';
    std::fputs(text.c_str(), stderr);
}

std::string Quoted(const std::filesystem::path& path) {
    std::string text(1, '"');
    text.append(path.native());
    text += '"';
    return text;
}

// Plain descriptors rather than streams: the command-line client reads and
// writes this file on every run, and stream set-up is most of that cost.
// Reads the whole file into `text`; 0 or an errno value.
int ReadFile(const std::filesystem::path& path, std::string& text) {
    text.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return errno;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    }
    text.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[16384];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int error = errno;
            ::close(fd);
            return error;
        }
        if (n == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return 0;
}

std::filesystem::path WithSuffix(const std::filesystem::path& p, std::string_view suffix) {
    std::filesystem::path out = p;
    out += std::string(suffix);
    return out;
}

}  // namespace

bool RegistryStore::CaseLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(LowerAscii(x)) <
               static_cast<unsigned char>(LowerAscii(y));
    });
}

RegistryStore::RegistryStore(std::filesystem::path file) : file_(std::move(file)) {}

std::filesystem::path RegistryStore::DefaultPath(std::string_view programName) {
    if (const char* over = std::getenv("ZOL_REGISTRY_FILE"); over != nullptr && *over != '\0') {
        return over;
    }
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        base = std::filesystem::path(home) / ".config";
    } else {
        base = ".config";
    }
    return base / "Tarnwell" / (std::string(programName) + ".reg");
}

RegistryStore::ParseResult RegistryStore::Parse(std::string_view text, KeyMap& keys,
                                                std::vector<std::string>& warnings) {
    std::string fromUtf16;
    const bool utf16 = text.starts_with(kUtf16LeBom);
    if (utf16) {
        fromUtf16 = Utf16LeToWindows1252(text.substr(kUtf16LeBom.size()));
        text = fromUtf16;
    } else if (text.starts_with(kUtf8Bom)) {
        text.remove_prefix(kUtf8Bom.size());
    }
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t nl = text.find('\n', start);
        std::size_t end = nl == std::string_view::npos ? text.size() : nl;
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    std::size_t i = 0;
    while (i < lines.size() && Trim(lines[i]).empty())
        ++i;
    if (i == lines.size())
        return ParseResult::NotRegistryFile;
    const bool version5 = Trim(lines[i]) == kVersion5Header;
    if (!version5 && Trim(lines[i]) != kHeader)
        return ParseResult::NotRegistryFile;
    // A version 5 file that was not UTF-16 is UTF-8; a REGEDIT4 file is ANSI.
    const bool utf8Lines = version5 && !utf16;
    ++i;

    bool skipped = false;
    Key* current = nullptr;
    auto bad = [&](std::size_t lineNo, std::string_view why) {
        skipped = true;
        warnings.push_back("line " + std::to_string(lineNo + 1) + ": " + std::string(why));
    };
    for (; i < lines.size(); ++i) {
        std::size_t lineNo = i;
        std::string line(Trim(lines[i]));
        // Long hex values continue on the next line after a trailing backslash.
        while (!line.empty() && line.back() == '\\' && i + 1 < lines.size()) {
            line.pop_back();
            line += Trim(lines[++i]);
        }
        if (utf8Lines)
            line = Utf8ToWindows1252(line);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            current = nullptr;
            if (line.back() != ']' || line.size() < 3) {
                bad(lineNo, "malformed key line");
                continue;
            }
            std::string_view path = std::string_view(line).substr(1, line.size() - 2);
            if (path.front() == '-')
                continue;  // a deletion entry: nothing to keep
            if (!ValidKeyPath(path)) {
                bad(lineNo, "invalid key path");
                continue;
            }
            current = &EnsureKey(keys, path);
            continue;
        }
        if (line.front() != '"' && line.front() != '@') {
            bad(lineNo, "unrecognised line");
            continue;
        }
        if (current == nullptr) {
            bad(lineNo, "value outside a key");
            continue;
        }
        std::string name;
        std::size_t pos = 0;
        if (line.front() == '@') {
            pos = 1;
        } else {
            auto quoted = ReadQuoted(line, pos);
            if (!quoted) {
                bad(lineNo, "unterminated value name");
                continue;
            }
            name = std::move(*quoted);
        }
        std::string_view rest = Trim(std::string_view(line).substr(pos));
        if (rest.empty() || rest.front() != '=') {
            bad(lineNo, "missing '='");
            continue;
        }
        bool deleted = false;
        auto value = ReadValueData(rest.substr(1), version5, deleted);
        if (!value) {
            bad(lineNo, "malformed value data");
            continue;
        }
        if (deleted) {
            current->values.erase(name);
            continue;
        }
        auto& slot = current->values[name];
        if (slot.name.empty())
            slot.name = name;
        slot.value = std::move(*value);
    }
    return skipped ? ParseResult::SomeLinesSkipped : ParseResult::Ok;
}

void RegistryStore::Load() {
    keys_.clear();
    createdKeys_.clear();
    setValues_.clear();
    std::string text;
    if (int error = ReadFile(file_, text); error != 0) {
        if (error != ENOENT) {
            Warn({"cannot read settings file ", Quoted(file_), ": ",
                  std::generic_category().message(error), "; using defaults"});
        }
        return;
    }
    if (Trim(text).empty())
        return;  // an empty file is an empty store
    std::vector<std::string> warnings;
    KeyMap parsed;
    ParseResult result = Parse(text, parsed, warnings);
    std::filesystem::path aside = WithSuffix(file_, ".bad");
    std::error_code ec;
    if (result == ParseResult::NotRegistryFile) {
        std::filesystem::rename(file_, aside, ec);
        Warn({"settings file ", Quoted(file_), " is not a REGEDIT4 file; moved it to ",
              Quoted(aside), " and using defaults"});
        return;
    }
    if (result == ParseResult::SomeLinesSkipped) {
        std::filesystem::copy_file(file_, aside, std::filesystem::copy_options::overwrite_existing,
                                   ec);
        for (const auto& w : warnings) {
            Warn({"settings file ", Quoted(file_), ", ", w, "; ignored"});
        }
        Warn({"a copy of the unreadable settings file is kept as ", Quoted(aside)});
    }
    keys_ = std::move(parsed);
}

bool RegistryStore::ValidKeyPath(std::string_view keyPath) {
    if (keyPath.empty() || keyPath.front() == '\\' || keyPath.back() == '\\')
        return false;
    std::size_t start = 0;
    while (true) {
        std::size_t sep = keyPath.find('\\', start);
        std::size_t len = (sep == std::string_view::npos ? keyPath.size() : sep) - start;
        if (len == 0 || len > kMaxKeyNameLength)
            return false;
        if (sep == std::string_view::npos)
            return true;
        start = sep + 1;
    }
}

RegistryStore::Key* RegistryStore::FindKey(std::string_view keyPath) {
    auto it = keys_.find(FullKeyPath(keyPath));
    return it == keys_.end() ? nullptr : &it->second;
}

const RegistryStore::Key* RegistryStore::FindKey(std::string_view keyPath) const {
    auto it = keys_.find(FullKeyPath(keyPath));
    return it == keys_.end() ? nullptr : &it->second;
}

RegistryStore::Key& RegistryStore::EnsureKey(KeyMap& keys, std::string_view fullPath) {
    // Parents exist whenever a child does, as in the registry.
    for (std::size_t sep = fullPath.find('\\'); sep != std::string_view::npos;
         sep = fullPath.find('\\', sep + 1)) {
        std::string_view parent = fullPath.substr(0, sep);
        if (keys.find(parent) == keys.end())
            keys[std::string(parent)].path = parent;
    }
    auto [it, inserted] = keys.try_emplace(std::string(fullPath));
    if (inserted)
        it->second.path = fullPath;
    return it->second;
}

bool RegistryStore::KeyExists(std::string_view keyPath) const {
    return FindKey(keyPath) != nullptr;
}

int RegistryStore::QueryValue(std::string_view keyPath, std::string_view valueName,
                              std::size_t bufferSize, RegistryValue& out) const {
    const Key* key = FindKey(keyPath);
    if (key == nullptr)
        return kRegFileNotFound;
    auto it = key->values.find(valueName);
    if (it == key->values.end())
        return kRegFileNotFound;
    const RegistryValue& v = it->second.value;
    out.type = v.type;
    if (v.data.size() > bufferSize) {
        out.data.clear();
        return kRegMoreData;
    }
    out.data = v.data;
    return kRegSuccess;
}

std::optional<RegistryValue> RegistryStore::GetValue(std::string_view keyPath,
                                                     std::string_view valueName) const {
    const Key* key = FindKey(keyPath);
    if (key == nullptr)
        return std::nullopt;
    auto it = key->values.find(valueName);
    if (it == key->values.end())
        return std::nullopt;
    return it->second.value;
}

int RegistryStore::CreateKey(std::string_view keyPath) {
    if (!ValidKeyPath(keyPath))
        return kRegInvalidParameter;
    std::string full = FullKeyPath(keyPath);
    if (keys_.find(full) != keys_.end())
        return kRegSuccess;  // nothing for Save() to write
    EnsureKey(keys_, full);
    createdKeys_.insert(std::move(full));
    return kRegSuccess;
}

int RegistryStore::SetValue(std::string_view keyPath, std::string_view valueName,
                            RegistryValue value) {
    if (valueName.size() > kMaxValueNameLength)
        return kRegInvalidParameter;
    Key* key = FindKey(keyPath);
    if (key == nullptr)
        return kRegFileNotFound;
    auto existing = key->values.find(valueName);
    if (existing != key->values.end() && existing->second.value == value)
        return kRegSuccess;  // unchanged: Save() leaves what others may have written
    NamedValue named{std::string(valueName), std::move(value)};
    auto& slot = key->values[std::string(valueName)];
    if (slot.name.empty())
        slot.name = named.name;
    slot.value = named.value;
    setValues_.emplace_back(FullKeyPath(keyPath), std::move(named));
    return kRegSuccess;
}

std::string RegistryStore::SerializeKeys(const KeyMap& keys) {
    std::string out(kHeader);
    out += "\r\n";
    for (const auto& [unused, key] : keys) {
        out += "\r\n[";
        out += key.path;
        out += "]\r\n";
        for (const auto& [unusedName, named] : key.values) {
            out += named.name.empty() ? std::string("@") : Quote(named.name);
            out += '=';
            out += FormatValue(named.value);
            out += "\r\n";
        }
    }
    out += "\r\n";
    return out;
}

std::string RegistryStore::Serialize() const {
    return SerializeKeys(keys_);
}

int RegistryStore::Save() {
    if (createdKeys_.empty() && setValues_.empty())
        return 0;  // nothing changed since Load(): no lock, no file access
    std::error_code ec;
    std::filesystem::path dir = file_.parent_path();
    if (!dir.empty() && !std::filesystem::exists(dir, ec)) {
        std::filesystem::create_directories(dir, ec);
        if (ec)
            return ec.value();
        ::chmod(dir.c_str(), 0700);
    }

    std::filesystem::path lockPath = WithSuffix(file_, ".lock");
    int lockFd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd < 0)
        return errno;
    while (::flock(lockFd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            int e = errno;
            ::close(lockFd);
            return e;
        }
    }

    // Start from what is on disk now, so values others wrote survive.
    KeyMap merged;
    std::string current;
    int readError = ReadFile(file_, current);
    if (readError != 0 && readError != ENOENT) {
        // Never replace what could not be read: it may hold others' values.
        ::close(lockFd);
        return readError;
    }
    const bool onDisk = readError == 0 && !Trim(current).empty();
    if (onDisk) {
        std::vector<std::string> ignored;
        if (Parse(current, merged, ignored) == ParseResult::NotRegistryFile) {
            std::filesystem::path aside = WithSuffix(file_, ".bad");
            std::filesystem::rename(file_, aside, ec);
            Warn({"settings file ", Quoted(file_), " is not a REGEDIT4 file; moved it to ",
                  Quoted(aside)});
            merged.clear();
        }
    }
    for (const auto& path : createdKeys_)
        EnsureKey(merged, path);
    for (const auto& [path, named] : setValues_) {
        auto& slot = EnsureKey(merged, path).values[named.name];
        if (slot.name.empty())
            slot.name = named.name;
        slot.value = named.value;
    }

    std::string text = SerializeKeys(merged);
    int result = 0;
    if (onDisk && current == text) {
        // Nothing changed: rewriting and syncing the same bytes only costs time.
        keys_ = std::move(merged);
        createdKeys_.clear();
        setValues_.clear();
        ::close(lockFd);
        return 0;
    }
    std::filesystem::path tmp = WithSuffix(file_, ".tmp");
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        result = errno;
    } else {
        ::fchmod(fd, 0600);
        result = WriteAll(fd, text);
        if (result == 0 && ::fsync(fd) != 0)
            result = errno;
        if (::close(fd) != 0 && result == 0)
            result = errno;
        if (result == 0 && ::rename(tmp.c_str(), file_.c_str()) != 0)
            result = errno;
        if (result != 0)
            ::unlink(tmp.c_str());
    }
    if (result == 0) {
        int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dirFd >= 0) {
            ::fsync(dirFd);
            ::close(dirFd);
        }
        keys_ = std::move(merged);
        createdKeys_.clear();
        setValues_.clear();
    }
    ::close(lockFd);
    return result;
}

}  // namespace zol
