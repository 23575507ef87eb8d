// The scene of a client benchmark: zolsim serving a generated house on
// loopback, a scratch folder, and a settings file that makes zolclient
// connect to that zolsim at start and keep its downloads in the folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "testsupport/child_process.h"

namespace zol::bench {

class ClientScene {
  public:
    ClientScene() = default;
    ~ClientScene();
    ClientScene(const ClientScene&) = delete;
    ClientScene& operator=(const ClientScene&) = delete;

    // Starts zolsim with `--generate generateSpec`; a non-empty
    // `homePageName` makes that display the client's home page.
    bool Start(const std::string& generateSpec, const std::string& homePageName);

    int Port() const { return port_; }
    int ControlPort() const { return controlPort_; }
    const std::filesystem::path& Folder() const { return folder_; }
    // The client's command line with `extra` switches, and its environment:
    // the settings file, and the offscreen platform unless QT_QPA_PLATFORM
    // is set already.
    std::vector<std::string> ClientArguments(const std::vector<std::string>& extra) const;
    std::vector<std::string> ClientEnvironment() const;
    // One control command; the answer's lines without the final "OK", or
    // empty with `ok` false.
    std::vector<std::string> Control(const std::string& command, bool& ok) const;

  private:
    testing::BackgroundProcess sim_;
    int port_ = 0;
    int controlPort_ = 0;
    std::filesystem::path folder_;
};

}  // namespace zol::bench
