#include "simulator/text_formatter.h"

#include <cstdio>
#include <ctime>

#include "serverlink/field_list.h"

namespace zol {

namespace {

std::tm LocalParts(std::chrono::system_clock::time_point now) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    return parts;
}

std::string FormatClock(std::chrono::system_clock::time_point now) {
    const std::tm parts = LocalParts(now);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", parts.tm_hour, parts.tm_min);
    return text;
}

std::string FormatDate(std::chrono::system_clock::time_point now) {
    const std::tm parts = LocalParts(now);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", parts.tm_year + 1900, parts.tm_mon + 1,
                  parts.tm_mday);
    return text;
}

bool Resolve(const std::string& name, SimDesign& design, std::chrono::system_clock::time_point now,
             std::string& value) {
    auto defined = design.placeholders.find("%" + name + "%");
    if (defined != design.placeholders.end()) {
        value = defined->second;
        return true;
    }
    if (name == "TIME") {
        value = FormatClock(now);
        return true;
    }
    if (name == "DATE") {
        value = FormatDate(now);
        return true;
    }
    const std::string levelPrefix = "LEVEL:";
    if (name.rfind(levelPrefix, 0) == 0) {
        if (const SimObject* object = design.FindObject(ReadDecimal(name.substr(6)))) {
            value = std::to_string(object->level);
            return true;
        }
    }
    return false;
}

}  // namespace

std::string FormatPlaceholders(const std::string& text, SimDesign& design,
                               std::chrono::system_clock::time_point now) {
    std::string formatted;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t open = text.find('%', position);
        if (open == std::string::npos) {
            break;
        }
        const std::size_t close = text.find('%', open + 1);
        if (close == std::string::npos) {
            break;
        }
        std::string value;
        formatted.append(text, position, open - position);
        if (Resolve(text.substr(open + 1, close - open - 1), design, now, value)) {
            formatted += value;
            position = close + 1;
        } else {
            // Keep the first "%" and look again from the second one, which
            // may open a real placeholder.
            formatted += '%';
            position = open + 1;
        }
    }
    formatted.append(text, position, std::string::npos);
    return formatted;
}

}  // namespace zol
