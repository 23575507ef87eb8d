// zolsim's own command-line options (modes add theirs through SimMode).
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <optional>
#include <string>

#include "simulator/design_generator.h"
#include "simulator/sim_config.h"

namespace zol {

inline constexpr quint16 kDefaultServerPort = 2000;

struct SimOptions {
    quint16 port = kDefaultServerPort;
    quint16 controlPort = 0;  // 0: any free port
    QString designPath;
    std::optional<GenerateSpec> generate;
    bool checkOnly = false;  // load the design, report, end
    SimConfig config;
};

void AddSimOptions(QCommandLineParser& parser);

// Reads the options after `parser.process()`. Returns an empty text or why
// the command line was refused.
std::string ReadSimOptions(const QCommandLineParser& parser, SimOptions& options);

}  // namespace zol
