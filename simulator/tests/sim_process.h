// Runs zolsim as a child process for a test and stops it again (by its own
// process id) when the test ends.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace zol::test {

class SimProcess {
  public:
    SimProcess() = default;
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Starts zolsim with "--port 0" and `arguments`, and reads the server
    // and control ports from its first two lines. False when it did not
    // start (its output is in Output()).
    bool Start(const std::vector<std::string>& arguments);
    void Stop();

    int Port() const { return port_; }
    int ControlPort() const { return controlPort_; }
    const std::string& Output() const { return output_; }

  private:
    bool ReadLine(std::string& line, int timeoutMs);

    pid_t pid_ = -1;
    int stdoutFd_ = -1;
    int port_ = 0;
    int controlPort_ = 0;
    std::string output_;
    std::string pending_;
};

// Paths the build hands the tests.
std::string ZolsimPath();
std::string DemoDesignPath();

}  // namespace zol::test
