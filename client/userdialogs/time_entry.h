// What the time dialog's display holds: four digits HH:MM typed in from the
// right, and AM or PM. Hours 12 to 23 read as PM, so a time opened and
// confirmed unchanged answers what it was opened with.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zol {

struct TimeOfDay {
    int hour = 0;  // 0 to 23
    int minute = 0;
    bool operator==(const TimeOfDay&) const = default;
};

class TimeEntry {
  public:
    // Opens with "HHMM" when it is exactly four digits forming a valid
    // time, otherwise at "00:00 AM".
    explicit TimeEntry(std::string_view initial = {});

    // A digit key: the first after opening or clearing starts over at
    // "00:00"; each shifts the digits one place left; a fifth starts over.
    void TypeDigit(int digit);
    void Clear();
    void TogglePm() { pm_ = !pm_; }

    // "%02d:%02d %s".
    std::string Display() const;
    // The 24-hour time, or nothing when the hour is over 23 or the minute
    // over 59 (OK is refused then).
    std::optional<TimeOfDay> Answer() const;
    // "%02d:%02d" of the answer.
    static std::string Format(const TimeOfDay& time);

  private:
    int Hours() const { return digits_[0] * 10 + digits_[1]; }
    int Minutes() const { return digits_[2] * 10 + digits_[3]; }

    std::array<int, 4> digits_{};
    bool pm_ = false;
    int typed_ = 0;  // digits typed since opening or clearing (0 to 4)
};

}  // namespace zol
