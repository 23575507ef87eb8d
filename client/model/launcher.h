// Starting other programs: the message pop-up, programs the server names,
// and files opened with the desktop's default application. The GUI starts
// them detached; tests record what would have been started.
#pragma once

#include <string_view>

namespace zol {

class Launcher {
  public:
    virtual ~Launcher() = default;

    // zolmsg beside the client, with its one argument ("%u,%u,%u,text").
    virtual bool StartMessagePopup(std::string_view argument) = 0;
    // A program with its command-line arguments as one text.
    virtual bool StartProgram(std::string_view program, std::string_view arguments) = 0;
    // As StartProgram, in the folder `workingDir` (empty: the client's own).
    virtual bool StartProgramIn(std::string_view program, std::string_view arguments,
                                std::string_view workingDir) {
        (void)workingDir;
        return StartProgram(program, arguments);
    }
    // A file or folder, opened as the desktop opens it.
    virtual bool OpenFile(std::string_view path) = 0;
};

}  // namespace zol
