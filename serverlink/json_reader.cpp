#include "serverlink/json_reader.h"
#include "platform/ascii_text.h"

#include <cstdint>

namespace zol {
namespace {

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    int ReadTop(std::vector<JsonMember>& members) {
        SkipBlanks();
        if (AtEnd() || (Peek() != '{' && Peek() != '['))
            return kJsonBadStart;
        return ReadContainer(members, 0);
    }

  private:
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return text_[pos_]; }

    void SkipBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\r' || Peek() == '\n')) {
            ++pos_;
        }
    }

    // At '{' or '['.
    int ReadContainer(std::vector<JsonMember>& members, int depth) {
        if (depth >= kMaxJsonDepth)
            return kJsonTooDeep;
        const bool isObject = Peek() == '{';
        const char close = isObject ? '}' : ']';
        ++pos_;
        SkipBlanks();
        if (AtEnd())
            return kJsonUnexpectedEnd;
        if (Peek() == close) {
            ++pos_;
            return kJsonOk;
        }
        for (;;) {
            JsonMember member;
            if (isObject) {
                SkipBlanks();
                if (AtEnd())
                    return kJsonUnexpectedEnd;
                if (Peek() != '"')
                    return kJsonExpectedName;
                if (int rc = ReadString(member.name); rc != kJsonOk)
                    return rc;
                SkipBlanks();
                if (AtEnd())
                    return kJsonUnexpectedEnd;
                if (Peek() != ':')
                    return kJsonExpectedColon;
                ++pos_;
            }
            if (int rc = ReadValue(member, depth); rc != kJsonOk)
                return rc;
            members.push_back(std::move(member));
            SkipBlanks();
            if (AtEnd())
                return kJsonUnexpectedEnd;
            if (Peek() == close) {
                ++pos_;
                return kJsonOk;
            }
            if (Peek() != ',')
                return kJsonExpectedComma;
            ++pos_;
        }
    }

    int ReadValue(JsonMember& member, int depth) {
        SkipBlanks();
        if (AtEnd())
            return kJsonUnexpectedEnd;
        const char c = Peek();
        if (c == '{' || c == '[')
            return ReadContainer(member.children, depth + 1);
        if (c == '"')
            return ReadString(member.value);
        return ReadBare(member.value);
    }

    // At '"'. Texts are single-byte: \u escapes above 0xFF become '?'.
    int ReadString(std::string& out) {
        ++pos_;
        for (;;) {
            if (AtEnd())
                return kJsonUnexpectedEnd;
            const char c = text_[pos_++];
            if (c == '"')
                return kJsonOk;
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (AtEnd())
                return kJsonUnexpectedEnd;
            const char e = text_[pos_++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out.push_back(e);
                    break;
                case 'b':
                    out.push_back('\b');
                    break;
                case 'f':
                    out.push_back('\f');
                    break;
                case 'n':
                    out.push_back('\n');
                    break;
                case 'r':
                    out.push_back('\r');
                    break;
                case 't':
                    out.push_back('\t');
                    break;
                case 'u': {
                    if (text_.size() - pos_ < 4)
                        return kJsonUnexpectedEnd;
                    std::uint32_t code = 0;
                    for (int i = 0; i < 4; ++i) {
                        const int digit = HexDigitValue(text_[pos_++]);
                        if (digit < 0)
                            return kJsonBadEscape;
                        code = (code << 4) | static_cast<std::uint32_t>(digit);
                    }
                    out.push_back(code <= 0xFF ? static_cast<char>(code) : '?');
                    break;
                }
                default:
                    return kJsonBadEscape;
            }
        }
    }

    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    static bool IsNumber(std::string_view t) {
        std::size_t i = 0;
        if (i < t.size() && t[i] == '-')
            ++i;
        const std::size_t intStart = i;
        while (i < t.size() && IsDigit(t[i]))
            ++i;
        if (i == intStart)
            return false;
        if (i < t.size() && t[i] == '.') {
            const std::size_t fracStart = ++i;
            while (i < t.size() && IsDigit(t[i]))
                ++i;
            if (i == fracStart)
                return false;
        }
        if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
            ++i;
            if (i < t.size() && (t[i] == '+' || t[i] == '-'))
                ++i;
            const std::size_t expStart = i;
            while (i < t.size() && IsDigit(t[i]))
                ++i;
            if (i == expStart)
                return false;
        }
        return i == t.size();
    }

    // A number or literal, kept as written.
    int ReadBare(std::string& out) {
        const std::size_t start = pos_;
        while (!AtEnd()) {
            const char c = Peek();
            if (c == ',' || c == '}' || c == ']' || c == ' ' || c == '\t' || c == '\r' ||
                c == '\n') {
                break;
            }
            ++pos_;
        }
        if (AtEnd())
            return kJsonUnexpectedEnd;
        const std::string_view token = text_.substr(start, pos_ - start);
        if (token != "true" && token != "false" && token != "null" && !IsNumber(token)) {
            return kJsonBadValue;
        }
        out.assign(token);
        return kJsonOk;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

int ReadJson(std::string_view text, std::vector<JsonMember>& members) {
    members.clear();
    Parser parser(text);
    const int rc = parser.ReadTop(members);
    if (rc != kJsonOk)
        members.clear();
    return rc;
}

const JsonMember* FindJsonMember(const std::vector<JsonMember>& members, std::string_view name) {
    for (const JsonMember& member : members) {
        if (member.name == name)
            return &member;
    }
    return nullptr;
}

}  // namespace zol
