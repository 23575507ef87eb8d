#include "simulator/wire_time.h"

#include <cstdio>
#include <ctime>

namespace zol {

namespace {

std::tm LocalTime(std::chrono::system_clock::time_point when) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    return parts;
}

std::string Format(const std::tm& parts) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", parts.tm_year + 1900,
                  parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
    return text;
}

}  // namespace

std::string FormatWireDateTime(std::chrono::system_clock::time_point when) {
    return Format(LocalTime(when));
}

std::string TodayAtWireDateTime(const std::string& hoursMinutes,
                                std::chrono::system_clock::time_point now) {
    std::tm parts = LocalTime(now);
    int hour = 12;
    int minute = 0;
    if (std::sscanf(hoursMinutes.c_str(), "%d:%d", &hour, &minute) != 2 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59) {
        hour = 12;
        minute = 0;
    }
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = 0;
    return Format(parts);
}

std::string FormatUpTime(std::chrono::system_clock::time_point since,
                         std::chrono::system_clock::time_point now) {
    auto minutes = std::chrono::duration_cast<std::chrono::minutes>(now - since).count();
    if (minutes < 0) {
        minutes = 0;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%lld days %02lld:%02lld",
                  static_cast<long long>(minutes / 1440), static_cast<long long>(minutes / 60 % 24),
                  static_cast<long long>(minutes % 60));
    return text;
}

}  // namespace zol
