#include "client/popups/status_bar_texts.h"

#include <algorithm>

#include "client/core/client_settings.h"

namespace zol {

// The format is the user's setting: strftime takes any text, and a result
// that does not fit is caught by its 0.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
std::string FormatStatusDateTime(std::string_view format, const std::tm& localTime) {
    char text[256];
    const std::string wanted(format);
    std::size_t length =
        wanted.empty() ? 0 : std::strftime(text, sizeof text, wanted.c_str(), &localTime);
    if (length == 0)
        length = std::strftime(text, sizeof text, kDefaultStatusDateTimeFormat, &localTime);
    return std::string(text, length);
}
#pragma GCC diagnostic pop

void StatusBarTexts::Reload(const ClientSettings& settings) {
    sets_[0].options = settings.statusBarTextOption;
    sets_[0].raw = settings.statusBarUserText;
    sets_[1].options = settings.statusBarTextOption2;
    sets_[1].raw = settings.statusBarUserText2;
    for (Set& set : sets_)
        set.shown = set.raw;
    // Minutes; 0 or less would ask the server every half second.
    period_ = std::chrono::minutes(std::clamp(settings.statusBarTextUpdateTime, 1, 7 * 24 * 60));
    nextUpdate_.reset();
}

void StatusBarTexts::RefreshUserTexts(bool connected, Clock::time_point now,
                                      const Formatter& format) {
    if (!connected || formatting_ || (nextUpdate_ && now < *nextUpdate_))
        return;
    nextUpdate_ = now + period_;
    formatting_ = true;
    for (Set& set : sets_) {
        for (std::size_t i = 0; i < set.raw.size(); ++i) {
            if (set.options[i] == SlotUserText && set.raw[i].find('%') != std::string::npos)
                set.shown[i] = format(set.raw[i]);
        }
    }
    formatting_ = false;
}

SlotTexts StatusBarTexts::Slots(bool home, const SlotContext& context,
                                const SlotTexts& previous) const {
    const Set& set = sets_[home ? 0 : 1];
    SlotTexts slots = previous;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        switch (set.options[i]) {
            case SlotEmpty:
                slots[i].clear();
                break;
            case SlotDisplayCaption:
                slots[i] = context.displayCaption;
                break;
            case SlotDateTime:
                slots[i] = context.dateTime;
                break;
            case SlotDesignTitle:
                slots[i] = context.designTitle;
                break;
            case SlotUserText:
                slots[i] = set.shown[i];
                break;
            default:
                break;  // an unknown option leaves the slot as it is
        }
    }
    return slots;
}

}  // namespace zol
