// Extra services that run next to the simulated server (the cloud relay,
// the discovery responder, ...). Each mode lives in its own files and
// registers itself with a static SimModeRegistration:
//
//   static const SimModeRegistration kRelay([] { return std::make_unique<RelayMode>(); });
//
// zolsim then offers the mode's options and starts it after the server
// listens.
#pragma once

#include <QCommandLineParser>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zol {

class SimServer;

class SimMode {
  public:
    virtual ~SimMode() = default;

    // Adds the mode's command-line options.
    virtual void AddOptions(QCommandLineParser& parser) = 0;

    // Starts the mode when its options ask for it (a mode whose options are
    // absent does nothing and succeeds). `announce` receives lines for the
    // program's output (ports and the like). False with `error` stops zolsim.
    virtual bool Start(const QCommandLineParser& parser, SimServer& server,
                       const std::function<void(const std::string&)>& announce,
                       std::string& error) = 0;
};

using SimModeFactory = std::function<std::unique_ptr<SimMode>()>;

struct SimModeRegistration {
    explicit SimModeRegistration(SimModeFactory factory);
};

// One fresh instance of every registered mode, in registration order.
std::vector<std::unique_ptr<SimMode>> CreateSimModes();

}  // namespace zol
