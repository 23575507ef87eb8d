#include "serverlink/connect_handshake.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "serverlink/field_list.h"
#include "serverlink/server_link.h"
#include "serverlink/tests/fake_server.h"

namespace zol {
namespace {

using test::AnswerGreeting;
using test::FakeConnection;
using test::FakeServer;
using test::kAcceptingGreeting;

LinkTimeouts ShortTimeouts() {
    LinkTimeouts timeouts;
    // Generous where success is expected: the machine may be busy.
    timeouts.serverConnectTimeout = 10;
    timeouts.serverSendTimeout = 10;
    timeouts.serverReplyTimeout = 2;
    timeouts.taskTerminateWaitTime = 10;
    timeouts.decodeTimeout = 1;
    return timeouts;
}

// The reply a server gives to a request: result code, then the request's names.
std::string ReplyTo(std::string_view request, int resultCode, std::string_view object = {}) {
    std::vector<FieldValue> fields;
    DecodeFieldList(request, fields);
    std::string code = std::to_string(resultCode);
    return FieldList{code, object.empty() ? std::string_view(fields.at(0).text) : object,
                     fields.at(1).text}
        .Message();
}

// Answers every further request with result code 0 until the client leaves,
// recording the requests.
void AnswerRequests(FakeConnection& connection, std::vector<std::string>* requests,
                    int resultCode = 0) {
    std::string request;
    while (connection.ReadMessage(request, std::chrono::milliseconds(3000))) {
        if (requests != nullptr) {
            requests->push_back(request);
        }
        connection.Write(ReplyTo(request, resultCode));
    }
}

struct HandshakeRun {
    int result = 0;
    std::string failureText;
    GreetingValues greeting;
};

HandshakeRun RunConnect(const FakeServer& server, std::string_view password = "secret") {
    LinkTimeouts timeouts = ShortTimeouts();
    ServerLink link(timeouts);
    ServerTarget target = server.Target();
    target.password = password;
    HandshakeRun run;
    run.result = ConnectToServer(link, target, "CloudCLI", run.failureText);
    run.greeting = link.Greeting();
    link.CloseServerConnection();
    return run;
}

TEST(ConnectToServer, AcceptedGreetingStoresTheServerValuesAndSendsClientOptions) {
    std::string clientGreeting;
    std::vector<std::string> requests;
    FakeServer server([&](FakeConnection& connection) {
        clientGreeting = AnswerGreeting(connection, kAcceptingGreeting);
        AnswerRequests(connection, &requests);
    });
    HandshakeRun run = RunConnect(server);
    EXPECT_EQ(run.result, 0) << run.failureText;
    EXPECT_EQ(run.failureText, "");
    EXPECT_EQ(clientGreeting, "ZOL000F002000001");  // command line: d, b, a of 1.0.0.2
    EXPECT_EQ(run.greeting.serverMajor, 14);
    EXPECT_EQ(run.greeting.serverMinor, 2);
    EXPECT_EQ(run.greeting.serverBuild, 7);
    EXPECT_EQ(run.greeting.clientNumber, 3);
    EXPECT_EQ(run.greeting.protocolLevel, 13);
    ASSERT_EQ(requests.size(), 1u);  // no password request: none demanded
    EXPECT_EQ(requests[0], FieldList({"ZOLApp", "SetClientOptions", "0", "CloudCLI"}).Message());
}

}  // namespace
}  // namespace zol
