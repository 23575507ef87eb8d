// Talks to zolsim's control port: one command line, the answer lines up to
// and including "OK" or "ERR ...".
#pragma once

#include <string>
#include <vector>

#include "simulator/tests/raw_client.h"

namespace zol::test {

class ControlClient {
  public:
    bool Connect(int port) { return client_.Connect(port); }
    std::vector<std::string> Command(const std::string& line);
    // True when the command's last answer line is "OK".
    bool Ok(const std::string& line);

  private:
    RawClient client_;
    std::string pending_;
};

}  // namespace zol::test
