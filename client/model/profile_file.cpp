#include "client/model/profile_file.h"

#include <cctype>
#include <fstream>
#include <limits>
#include <sstream>

namespace zol {

namespace {

// theme.txt is a few lines; anything far larger is not one.
constexpr std::uintmax_t kMaxProfileBytes = 1 << 20;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

}  // namespace

std::string ProfileFile::Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

ProfileFile ProfileFile::Load(const std::filesystem::path& file) {
    std::error_code ec;
    auto size = std::filesystem::file_size(file, ec);
    if (ec || size > kMaxProfileBytes)
        return ProfileFile();
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return ProfileFile();
    std::stringstream text;
    text << in.rdbuf();
    return Parse(text.str());
}

ProfileFile ProfileFile::Parse(std::string_view text) {
    ProfileFile profile;
    std::map<std::string, std::string>* current = nullptr;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            std::size_t close = line.find(']');
            if (close == std::string_view::npos)
                continue;
            current = &profile.sections_[Lower(Trim(line.substr(1, close - 1)))];
            continue;
        }
        std::size_t eq = line.find('=');
        if (current == nullptr || eq == std::string_view::npos)
            continue;
        std::string key = Lower(Trim(line.substr(0, eq)));
        std::string_view value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        current->emplace(std::move(key), std::string(value));  // first one wins
    }
    return profile;
}

const std::string* ProfileFile::Find(std::string_view section, std::string_view key) const {
    auto s = sections_.find(Lower(section));
    if (s == sections_.end())
        return nullptr;
    auto k = s->second.find(Lower(key));
    return k == s->second.end() ? nullptr : &k->second;
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue, std::size_t maxLength) const {
    const std::string* value = Find(section, key);
    std::string_view v = value != nullptr ? std::string_view(*value) : defaultValue;
    return std::string(v.substr(0, maxLength));
}

std::int32_t ProfileFile::GetInt(std::string_view section, std::string_view key,
                                 std::int32_t defaultValue) const {
    const std::string* value = Find(section, key);
    if (value == nullptr)
        return defaultValue;
    std::size_t i = 0;
    bool negative = false;
    if (i < value->size() && ((*value)[i] == '-' || (*value)[i] == '+')) {
        negative = (*value)[i] == '-';
        ++i;
    }
    std::int64_t n = 0;
    constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()};
    for (; i < value->size() && std::isdigit(static_cast<unsigned char>((*value)[i])); ++i) {
        n = n * 10 + ((*value)[i] - '0');
        if (n > kCap)
            n = kCap;
    }
    return static_cast<std::int32_t>(negative ? -n : n);
}

}  // namespace zol
