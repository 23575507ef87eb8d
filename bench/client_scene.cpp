#include "bench/client_scene.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "testsupport/zolsim_control.h"

namespace zol::bench {

ClientScene::~ClientScene() {
    sim_.Stop();
    if (!folder_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
}

bool ClientScene::Start(const std::string& generateSpec, const std::string& homePageName) {
    using namespace std::chrono_literals;
    folder_ =
        std::filesystem::temp_directory_path() / ("zol_client_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_ / "files");
    std::ofstream settings(folder_ / "settings.reg");
    settings << "REGEDIT4\n\n"
             << "[HKEY_CURRENT_USER\\Software\\Tarnwell\\ZOLClient\\Connection]\n"
             << "\"AutoConnect\"=dword:00000001\n"
             << "\"AutoCloseConnectDialog\"=dword:00000001\n"
             << "\"AutoCloseConnectDialogTime\"=dword:00000001\n\n"
             << "[HKEY_CURRENT_USER\\Software\\Tarnwell\\ZOLClient\\Location]\n"
             << "\"TempDirPath\"=\"" << (folder_ / "files").string() << "\"\n\n";
    if (!homePageName.empty()) {
        settings << "[HKEY_CURRENT_USER\\Software\\Tarnwell\\ZOLClient\\UserInterface]\n"
                 << "\"HomePageEnable\"=dword:00000001\n"
                 << "\"HomePageName\"=\"" << homePageName << "\"\n\n";
    }
    settings.close();
    if (!settings || !sim_.Start({ZOLSIM_PATH, "--port", "0", "--generate", generateSpec}, 2, 60s))
        return false;
    port_ = testing::PortFromLine(sim_.FirstLines()[0]);
    controlPort_ = testing::PortFromLine(sim_.FirstLines()[1]);
    return port_ > 0 && controlPort_ > 0;
}

std::vector<std::string> ClientScene::ClientArguments(const std::vector<std::string>& extra) const {
    std::vector<std::string> argv = {ZOLCLIENT_PATH, "/ZOLServer:127.0.0.1",
                                     "/Port:" + std::to_string(port_)};
    argv.insert(argv.end(), extra.begin(), extra.end());
    return argv;
}

std::vector<std::string> ClientScene::ClientEnvironment() const {
    std::vector<std::string> env = {"ZOL_REGISTRY_FILE=" + (folder_ / "settings.reg").string()};
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        env.push_back("QT_QPA_PLATFORM=offscreen");
    return env;
}

std::vector<std::string> ClientScene::Control(const std::string& command, bool& ok) const {
    std::istringstream answer(testing::SendControlLine(controlPort_, command));
    std::vector<std::string> lines;
    for (std::string line; std::getline(answer, line);)
        lines.push_back(line);
    ok = !lines.empty() && lines.back() == "OK";
    if (!ok)
        return {};
    lines.pop_back();
    return lines;
}

}  // namespace zol::bench
