// The question a "UserDialog" push asks, decoded from its fields. Numbers
// that time or size anything are clamped here, so the dialogs can trust them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "serverlink/field_list.h"

namespace zol {

enum class UserDialogKind : int {
    Number = 0,
    Text = 1,
    Time = 2,
    Choice = 3,
    Keys = 4,
    Alert = 5,
};

// Answer types of the report.
inline constexpr int kAnswerNone = 0;
inline constexpr int kAnswerNumber = 1;
inline constexpr int kAnswerTime = 2;
inline constexpr int kAnswerText = 3;

// Longest answer an entry takes, so the report always fits one message.
inline constexpr std::size_t kMaxAnswerBytes = 4000;
// Longest time-out a dialog honours (what a timer can wait).
inline constexpr std::int64_t kMaxDialogTimeoutSeconds = 2'000'000;

struct UserDialogRequest {
    std::int32_t kind = 0;
    std::string prompt;
    std::array<std::string, 4> texts;  // choices (kind 3) or the left keys (kind 4)
    bool masked = false;
    std::array<std::string, 12> keyTexts;  // the keypad keys (kind 4)
    bool timeoutOn = false;
    std::int64_t timeoutSeconds = 0;  // 0 to kMaxDialogTimeoutSeconds
    bool reportActivity = false;
    bool keyboard = false;
    std::string initialValue;
    std::int32_t dialogId = 0;
    std::int32_t alertKind = 0;
    std::string alertMessage;
    std::string leftCaption;
    std::string rightCaption;

    // A time-out runs only when switched on with a positive number of seconds.
    bool HasTimeout() const { return timeoutOn && timeoutSeconds > 0; }
    bool KnownKind() const { return kind >= 0 && kind <= static_cast<int>(UserDialogKind::Alert); }
};

// The request of a decoded "UserDialog" push: `pushFields` are all its
// fields, the first being field 1 (so field 4, the kind, is pushFields[3]).
// Fields the push does not reach read as 0 or empty.
UserDialogRequest UserDialogRequestFromPush(const std::vector<FieldValue>& pushFields);

// The answer type the report carries for a kind.
int AnswerTypeOf(std::int32_t kind);

}  // namespace zol
