#include "simulator/control_escape.h"
#include "platform/ascii_text.h"

#include <cctype>
#include <cstdio>

namespace zol {

namespace {

std::string Unescape(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigitValue(text[i + 1]) >= 0 &&
            HexDigitValue(text[i + 2]) >= 0) {
            plain +=
                static_cast<char>(HexDigitValue(text[i + 1]) * 16 + HexDigitValue(text[i + 2]));
            i += 2;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

}  // namespace

std::string JoinControlFields(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += '|';
        }
        for (char c : fields[i]) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '|' || c == '%' || byte < 0x20 || byte >= 0x7F) {
                char escape[4];
                std::snprintf(escape, sizeof escape, "%%%02X", byte);
                line += escape;
            } else {
                line += c;
            }
        }
    }
    return line;
}

std::vector<std::string> SplitControlFields(const std::string& text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = text.find('|', start);
        fields.push_back(Unescape(text.substr(start, bar - start)));
        if (bar == std::string::npos) {
            break;
        }
        start = bar + 1;
    }
    return fields;
}

}  // namespace zol
