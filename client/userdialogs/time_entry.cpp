#include "client/userdialogs/time_entry.h"

#include <cstdio>

namespace zol {

TimeEntry::TimeEntry(std::string_view initial) {
    if (initial.size() != 4)
        return;
    std::array<int, 4> d{};
    for (std::size_t i = 0; i < 4; ++i) {
        if (initial[i] < '0' || initial[i] > '9')
            return;
        d[i] = initial[i] - '0';
    }
    const int hours = d[0] * 10 + d[1];
    const int minutes = d[2] * 10 + d[3];
    if (hours > 23 || minutes > 59)
        return;
    // Noon and after are PM; 13 to 23 show as 1 to 11.
    pm_ = hours >= 12;
    const int shown = hours > 12 ? hours - 12 : hours;
    digits_ = {shown / 10, shown % 10, d[2], d[3]};
}

void TimeEntry::TypeDigit(int digit) {
    if (digit < 0 || digit > 9)
        return;
    if (typed_ == 0 || typed_ >= 4) {
        digits_ = {0, 0, 0, 0};
        typed_ = 0;
    }
    digits_ = {digits_[1], digits_[2], digits_[3], digit};
    ++typed_;
}

void TimeEntry::Clear() {
    digits_ = {0, 0, 0, 0};
    pm_ = false;
    typed_ = 0;
}

std::string TimeEntry::Display() const {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d %s", Hours(), Minutes(), pm_ ? "PM" : "AM");
    return text;
}

std::optional<TimeOfDay> TimeEntry::Answer() const {
    int hour = Hours();
    if (hour > 23 || Minutes() > 59)
        return std::nullopt;
    // 12 AM is midnight, 12 PM noon; hours typed past 12 are already 24-hour.
    if (hour == 12)
        hour = pm_ ? 12 : 0;
    else if (pm_ && hour < 12)
        hour += 12;
    return TimeOfDay{hour, Minutes()};
}

std::string TimeEntry::Format(const TimeOfDay& time) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", time.hour % 100, time.minute % 100);
    return text;
}

}  // namespace zol
