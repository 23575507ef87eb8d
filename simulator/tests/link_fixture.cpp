#include "simulator/tests/link_fixture.h"

#include <arpa/inet.h>

#include <chrono>

#include "serverlink/connect_handshake.h"

namespace zol::test {

void RecordingObserver::OnUnsolicitedFrame(std::string_view frame) {
    std::lock_guard lock(mutex_);
    pushes_.emplace_back(frame);
    changed_.notify_all();
}

void RecordingObserver::OnConnectionLost(std::string_view) {
    std::lock_guard lock(mutex_);
    lost_ = true;
    changed_.notify_all();
}

bool RecordingObserver::WaitForPush(const std::string& method, std::vector<FieldValue>& fields,
                                    int timeoutMs) {
    std::unique_lock lock(mutex_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
        while (!pushes_.empty()) {
            const std::string frame = pushes_.front();
            pushes_.pop_front();
            if (DecodeFieldList(frame, fields) == kFieldListOk && fields.size() >= 3 &&
                fields[2].text == method) {
                return true;
            }
        }
        if (changed_.wait_until(lock, deadline) == std::cv_status::timeout) {
            return false;
        }
    }
}

bool RecordingObserver::WaitForLoss(int timeoutMs) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return lost_; });
}

LinkClient::LinkClient(int replyTimeoutSeconds) {
    timeouts.serverReplyTimeout = replyTimeoutSeconds;
    timeouts.decodeTimeout = 1;
    link = std::make_unique<ServerLink>(timeouts);
    link->SetObserver(&observer);
}

int LinkClient::Connect(int port, const std::string& password) {
    ServerTarget target;
    target.port = static_cast<std::uint16_t>(port);
    target.address = htonl(INADDR_LOOPBACK);
    target.password = password;
    return ConnectToServer(*link, target, "SimTest", failureText);
}

int LinkClient::Request(const std::vector<std::string>& fields, std::int32_t& resultCode,
                        std::vector<FieldValue>& reply) {
    FieldList message(static_cast<int>(fields.size()));
    for (const std::string& field : fields) {
        message.Add(field);
    }
    std::string replyText;
    const int error = link->SendRequest(message.Message(), resultCode, replyText);
    reply.clear();
    if (error == 0) {
        DecodeFieldList(replyText, reply);
    }
    return error;
}

void SimProcessTest::StartSim(std::vector<std::string> arguments) {
    if (arguments.empty()) {
        arguments = {"--design", DemoDesignPath()};
    }
    ASSERT_TRUE(sim_.Start(arguments)) << sim_.Output();
    ASSERT_TRUE(control_.Connect(sim_.ControlPort()));
}

}  // namespace zol::test
