// A zolsim process plus server-link connections to it, for the process
// tests.
#pragma once

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "serverlink/field_list.h"
#include "serverlink/link_observer.h"
#include "serverlink/server_link.h"
#include "simulator/tests/control_client.h"
#include "simulator/tests/sim_process.h"

namespace zol::test {

// Collects what the link reports: pushes and the loss of the connection.
class RecordingObserver : public LinkObserver {
  public:
    void OnUnsolicitedFrame(std::string_view frame) override;
    void OnConnectionLost(std::string_view reason) override;

    // Waits for the next push whose method (field 3) is `method`.
    bool WaitForPush(const std::string& method, std::vector<FieldValue>& fields,
                     int timeoutMs = 10000);
    bool WaitForLoss(int timeoutMs = 10000);

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> pushes_;
    bool lost_ = false;
};

// One client connection through the server link.
struct LinkClient {
    LinkTimeouts timeouts;
    RecordingObserver observer;
    std::unique_ptr<ServerLink> link;

    explicit LinkClient(int replyTimeoutSeconds = 10);
    // Connects as the command-line program does (greeting, password when
    // demanded, client options); returns 0 or the handshake's result.
    int Connect(int port, const std::string& password = {});
    // Sends a request; returns the request error and fills the decoded reply.
    int Request(const std::vector<std::string>& fields, std::int32_t& resultCode,
                std::vector<FieldValue>& reply);
    std::string failureText;
};

class SimProcessTest : public ::testing::Test {
  protected:
    // Starts zolsim with the demo house and connects the control client.
    void StartSim(std::vector<std::string> arguments = {});

    SimProcess sim_;
    ControlClient control_;
};

}  // namespace zol::test
