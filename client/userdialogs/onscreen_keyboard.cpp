#include "client/userdialogs/onscreen_keyboard.h"

#include <algorithm>
#include <cctype>

#include "client/model/launcher.h"

namespace zol {

std::string OnScreenKeyboardProgram(std::string_view oskPath) {
    const std::size_t nameStart = oskPath.find_last_of("\\/");
    std::string name(oskPath.substr(nameStart == std::string_view::npos ? 0 : nameStart + 1));
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (name == "osk.exe" || name == "osk")
        return "onboard";
    return std::string(oskPath);
}

bool OpenOnScreenKeyboard(Launcher& launcher, std::string_view oskPath) {
    const std::string program = OnScreenKeyboardProgram(oskPath);
    if (program.empty())
        return false;
    return launcher.StartProgram(program, {});
}

}  // namespace zol
