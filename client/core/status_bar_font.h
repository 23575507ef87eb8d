// The status bar's font as kept in the StatusBarFont setting: the fields of a
// Windows logical-font record as thirteen decimal numbers and a face name,
// separated by commas.
#pragma once

#include <string>
#include <string_view>

#include "client/model/log_font.h"

namespace zol {

// Character height 35, normal weight, variable pitch, "Open Sans Light".
inline constexpr const char* kDefaultStatusBarFontText =
    "-35,0,0,0,400,0,0,0,0,0,0,0,32,Open Sans Light";

// Reads "h,w,esc,orient,weight,italic,underline,strike,charset,out,clip,
// quality,pitch,face". Numbers read like atoi (leading blanks, sign, digits;
// anything else ends the number; out-of-range values saturate instead of
// being undefined); everything after the thirteenth comma is the face, cut to
// 31 characters. A text with fewer than thirteen commas is not a font record
// and yields the default status-bar font.
LogFont DecodeStatusBarFont(std::string_view text);
std::string EncodeStatusBarFont(const LogFont& font);

}  // namespace zol
