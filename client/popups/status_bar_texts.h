// The three text slots of the status bar: what each shows by its option,
// the user texts with their "%" fields formatted by the server at most once
// per update period, and the date-time through strftime.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zol {

struct ClientSettings;

enum StatusBarSlotOption : std::int32_t {
    SlotEmpty = 0,
    SlotDisplayCaption = 1,
    SlotDateTime = 2,
    SlotDesignTitle = 3,
    SlotUserText = 4,
};

inline constexpr const char* kDefaultStatusDateTimeFormat = "%A %B %d - %I:%M %p";

// strftime of `format`; a result that strftime cannot give (0, as for an
// empty or overlong one) falls back to the default format.
std::string FormatStatusDateTime(std::string_view format, const std::tm& localTime);

struct SlotContext {
    std::string displayCaption;
    std::string designTitle;
    std::string dateTime;
};

using SlotTexts = std::array<std::string, 3>;

class StatusBarTexts {
  public:
    using Clock = std::chrono::system_clock;
    using Formatter = std::function<std::string(std::string_view)>;

    explicit StatusBarTexts(const ClientSettings& settings) { Reload(settings); }

    // Takes the options and user texts anew (after the options changed);
    // the next refresh formats again.
    void Reload(const ClientSettings& settings);

    // The refresh step for user texts: when connected and the update time has
    // come, formats every user text with "%" in a slot set to show it. The
    // next update time is set first, so a message box shown while
    // formatting cannot bring the refresh back into it.
    void RefreshUserTexts(bool connected, Clock::time_point now, const Formatter& format);

    // The slot texts: the home set with an empty history, else the second
    // set. Slots with an unknown option keep `previous`.
    SlotTexts Slots(bool home, const SlotContext& context, const SlotTexts& previous) const;

    std::optional<Clock::time_point> NextUpdate() const { return nextUpdate_; }
    // Minutes between updates, as the setting gives them (1 at least).
    std::chrono::minutes UpdatePeriod() const { return period_; }

  private:
    struct Set {
        std::array<std::int32_t, 3> options{};
        std::array<std::string, 3> raw;
        std::array<std::string, 3> shown;
    };
    std::array<Set, 2> sets_;
    std::chrono::minutes period_{5};
    std::optional<Clock::time_point> nextUpdate_;
    bool formatting_ = false;
};

}  // namespace zol
