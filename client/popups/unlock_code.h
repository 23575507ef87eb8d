// The unlock code that guards exiting, unlocking and the client options.
// The code is kept as the MD5 digest of the digits as typed; a code stored
// as plain digits (the default, and codes of older installations) is
// compared as digits.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "client/core/ui_lock_code.h"

class QWidget;

namespace zol {

class Clock;

inline constexpr const char* kUnlockCodeTitle = "Enter Unlock code";

// The digest kept for a newly set code.
UiLockCode DigestOfUnlockCode(std::string_view digits);
// Whether the typed digits open the lock kept as `stored`.
bool UnlockCodeMatches(const UiLockCode& stored, std::string_view typed);

// Asks for the code on a masked number pad; the digits as typed, or nothing
// when cancelled. No report goes to the server.
std::optional<std::string> AskUnlockCode(Clock& clock, int dpi, QWidget* parent);

}  // namespace zol
