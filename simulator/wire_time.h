// Date-times as the wire carries them: 14 digits YYYYMMDDhhmmss, local time.
#pragma once

#include <chrono>
#include <string>

namespace zol {

std::string FormatWireDateTime(std::chrono::system_clock::time_point when);

// Today's date at "HH:MM" (sunrise, sunset); an unreadable text gives noon.
std::string TodayAtWireDateTime(const std::string& hoursMinutes,
                                std::chrono::system_clock::time_point now);

// "D days HH:MM" since `since`.
std::string FormatUpTime(std::chrono::system_clock::time_point since,
                         std::chrono::system_clock::time_point now);

}  // namespace zol
