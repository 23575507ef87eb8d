#include "simulator/sim_app.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>
#include <vector>

#include "simulator/control_server.h"
#include "simulator/design_loader.h"
#include "simulator/sim_mode.h"
#include "simulator/sim_options.h"
#include "simulator/sim_server.h"
#include "simulator/stop_signals.h"

namespace zol {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitBadInput = 1;
constexpr int kExitNoPort = 2;

// Every line is flushed at once: scripts and tests read the ports from the
// first two lines while zolsim keeps running.
void Say(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void Complain(const std::string& line) {
    std::fputs(("zolsim: " + line + "\n").c_str(), stderr);
    std::fflush(stderr);
}

bool BuildDesign(const SimOptions& options, SimDesign& design) {
    DesignLoadResult result;
    if (options.generate) {
        design = GenerateDesign(*options.generate);
        result.ok = true;
        ValidateDesign(design, result);
    } else if (!options.designPath.isEmpty()) {
        result = LoadDesignFile(options.designPath, design);
    } else {
        result.ok = true;  // an empty house
    }
    for (const std::string& warning : result.warnings) {
        Complain("warning: " + warning);
    }
    if (!result.ok) {
        Complain("design refused: " + result.error);
    }
    return result.ok;
}

}  // namespace

int RunSimulatorApp() {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated ZOL home-automation server. Prints the server port on its first line and the "
        "control port on its second."));
    parser.addHelpOption();
    AddSimOptions(parser);
    std::vector<std::unique_ptr<SimMode>> modes = CreateSimModes();
    for (const auto& mode : modes) {
        mode->AddOptions(parser);
    }
    parser.process(*QCoreApplication::instance());

    SimOptions options;
    if (const std::string refusal = ReadSimOptions(parser, options); !refusal.empty()) {
        Complain(refusal);
        return kExitBadInput;
    }
    SimDesign design;
    if (!BuildDesign(options, design)) {
        return kExitBadInput;
    }
    if (options.checkOnly) {
        Say("design \"" + design.designName + "\": " + std::to_string(design.objects.size()) +
            " objects, " + std::to_string(design.displays.size()) + " displays");
        return kExitOk;
    }

    SimServer server(std::move(design), options.config);
    ControlServer control(server);
    std::string error;
    if (!server.Listen(options.port, error)) {
        Complain("cannot listen on 127.0.0.1:" + std::to_string(options.port) + ": " + error);
        return kExitNoPort;
    }
    if (!control.Listen(options.controlPort, error)) {
        Complain("cannot listen on control port " + std::to_string(options.controlPort) + ": " +
                 error);
        return kExitNoPort;
    }
    Say(std::to_string(server.Port()));
    Say(std::to_string(control.Port()));
    for (const auto& mode : modes) {
        if (!mode->Start(parser, server, Say, error)) {
            Complain(error);
            return kExitBadInput;
        }
    }
    const SimServerState& state = server.State();
    Say("zolsim serving \"" + state.design.designName + "\" (" +
        std::to_string(state.design.objects.size()) + " objects, " +
        std::to_string(state.design.displays.size()) + " displays) as server " +
        std::to_string(state.config.versionMajor) + "." +
        std::to_string(state.config.versionMinor) + "." +
        std::to_string(state.config.versionBuild) + " on 127.0.0.1:" +
        std::to_string(server.Port()) + ", control on 127.0.0.1:" + std::to_string(control.Port()));
    QuitOnStopSignals();
    const int result = QCoreApplication::exec();
    Say("zolsim stopped");
    return result;
}

}  // namespace zol
