// RelayMode: zolsim as a cloud relay in front of the simulated server
// (--relay-port). See relay_control_port.h and relay_data_port.h.
#pragma once

#include <memory>

#include "simulator/relay_control_port.h"
#include "simulator/relay_data_port.h"
#include "simulator/sim_mode.h"

namespace zol {

class RelayMode : public SimMode {
  public:
    void AddOptions(QCommandLineParser& parser) override;
    bool Start(const QCommandLineParser& parser, SimServer& server,
               const std::function<void(const std::string&)>& announce,
               std::string& error) override;

    RelayControlPort* Control() { return control_.get(); }

  private:
    std::unique_ptr<RelayDataPort> data_;
    std::unique_ptr<RelayControlPort> control_;
};

}  // namespace zol
