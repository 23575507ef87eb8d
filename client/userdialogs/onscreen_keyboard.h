// Opens the on-screen keyboard named by the OSKPath setting. Windows' own
// "osk.exe" (a setting carried over from a Windows panel) opens "onboard".
#pragma once

#include <string>
#include <string_view>

namespace zol {

class Launcher;

// The program to start for the setting; empty when there is none.
std::string OnScreenKeyboardProgram(std::string_view oskPath);
// False when there is no program or it did not start.
bool OpenOnScreenKeyboard(Launcher& launcher, std::string_view oskPath);

}  // namespace zol
