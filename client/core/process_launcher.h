// Starts other programs detached from the client: the message pop-up beside
// the client's own binary, programs the server names, files opened with the
// desktop's default application. Nothing waits for them.
#pragma once

#include "client/model/launcher.h"

namespace zol {

class ProcessLauncher : public Launcher {
  public:
    bool StartMessagePopup(std::string_view argument) override;
    bool StartProgram(std::string_view program, std::string_view arguments) override;
    bool StartProgramIn(std::string_view program, std::string_view arguments,
                        std::string_view workingDir) override;
    bool OpenFile(std::string_view path) override;
};

}  // namespace zol
