#include "serverlink/connect_handshake.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "serverlink/field_list.h"
#include "serverlink/server_link.h"
#include "serverlink/server_relay_hook.h"
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

// Runs the command line's handshake against a server running `script`; the
// server is gone (its thread joined) when this returns, so what the script
// recorded may be read.
template <typename Script>
HandshakeRun RunConnectWith(Script& script) {
    FakeServer server(std::ref(script));
    return RunConnect(server);
}

TEST(ConnectToServer, AcceptedGreetingStoresTheServerValuesAndSendsClientOptions) {
    std::string clientGreeting;
    std::vector<std::string> requests;
    auto script = [&](FakeConnection& connection) {
        clientGreeting = AnswerGreeting(connection, kAcceptingGreeting);
        AnswerRequests(connection, &requests);
    };
    HandshakeRun run = RunConnectWith(script);
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

// A server that answers the greeting frames with `replies` in turn and then
// every request with `resultCode`.
struct ScriptedGreetings {
    explicit ScriptedGreetings(std::vector<std::string> greetingReplies, int requestResult = 0)
        : replies(std::move(greetingReplies)), resultCode(requestResult) {}

    std::vector<std::string> replies;
    int resultCode = 0;
    std::vector<std::string> frames;    // greeting frames received
    std::vector<std::string> requests;  // later requests received

    void operator()(FakeConnection& connection) {
        for (const std::string& reply : replies) {
            frames.push_back(AnswerGreeting(connection, reply));
        }
        AnswerRequests(connection, &requests, resultCode);
    }
};

TEST(ConnectToServer, StepsTheGreetingLetterDownAndRefusesBelowD) {
    struct Case {
        std::vector<std::string> replies;
        int result;
        std::string text;
        std::string letters;
        int protocolLevel;
    };
    const Case cases[] = {
        {{"ZOL230x014002007", "ZOL000x014002007"}, 0, "", "FE", 14},
        {{"ZOL200x014002007", "ZOL200x014002007", "ZOL000x014002007"}, 0, "", "FED", 13},
        {{"ZOL200x014002007", "ZOL200x014002007", "ZOL200x014002007"},
         2,
         "Server version 14.2.7 doesn't support client 2.0.1",
         "FED",
         0},
        {{"ZOL500x015000001"}, 5, "Server version 15.0.1 doesn't support client 2.0.1", "F", 0},
        {{"ZOL000x013000009"}, -1, "Client version 2.0.1 doesn't support server 13.0.9", "F", 0},
        {{"ZOL000x012009009"}, -1, "Client version 2.0.1 doesn't support server 12.9.9", "F", 0},
        {{"ZOL000x013001000"}, 0, "", "F", 13},
        // Through the framing only sixteen bytes reach the check: here a
        // field list holding one number, taken as a bare result code.
        {{FieldList{"00000000"}.Message()},
         -1,
         "Connect message reply error. Message length = 16",
         "F",
         0},
    };
    for (const Case& c : cases) {
        ScriptedGreetings script(c.replies);
        HandshakeRun run = RunConnectWith(script);
        EXPECT_EQ(run.result, c.result) << c.text;
        EXPECT_EQ(run.failureText, c.text);
        std::string letters;
        for (const std::string& frame : script.frames) {
            ASSERT_EQ(frame.size(), 16u);
            letters += frame[6];
        }
        EXPECT_EQ(letters, c.letters) << c.text;
        if (c.result == 0) {
            EXPECT_EQ(run.greeting.protocolLevel, c.protocolLevel);
        }
    }
}

TEST(ConnectToServer, SendsThePasswordOnlyWhenDemanded) {
    const std::string passwordRequest =
        FieldList{"ZOLObject", "ZOL.SetPassword", "4", "secret"}.Message();
    {
        ScriptedGreetings script({"ZOL011x014002007"});
        EXPECT_EQ(RunConnectWith(script).result, 0);
        ASSERT_EQ(script.requests.size(), 2u);
        EXPECT_EQ(script.requests[0], passwordRequest);
    }
    {
        ScriptedGreetings script({"ZOL011x014002007"}, -6);
        HandshakeRun run = RunConnectWith(script);
        EXPECT_EQ(run.result, -6);
        EXPECT_EQ(run.failureText, "Incorrect remote access password");
        EXPECT_EQ(script.requests.size(), 1u);
    }
}

TEST(ConnectHandshake, GuiPromptsUntilThePasswordIsAcceptedOrCancelled) {
    // The server accepts only "right".
    auto script = [](FakeConnection& connection) {
        AnswerGreeting(connection, "ZOL011x014002007");
        std::string request;
        while (connection.ReadMessage(request, std::chrono::milliseconds(3000))) {
            bool right =
                request == FieldList{"ZOLObject", "ZOL.SetPassword", "4", "right"}.Message();
            connection.Write(ReplyTo(request, right ? 0 : -5));
        }
    };
    FakeServer server(script);
    LinkTimeouts timeouts = ShortTimeouts();
    ServerLink link(timeouts);

    std::vector<std::string> answers = {"wrong", "right"};
    int prompts = 0;
    auto prompt = [&](std::string& password) {
        if (prompts >= static_cast<int>(answers.size())) {
            return false;
        }
        password = answers[static_cast<std::size_t>(prompts++)];
        return true;
    };
    ConnectHandshake gui(link, ClientProgram::Gui, OwnGreetingNumbers(ClientProgram::Gui));
    std::string stored = "stale";
    ASSERT_EQ(gui.Open(server.Target()), 0);
    ASSERT_EQ(gui.Greet(), 0);
    EXPECT_EQ(gui.Authorize(stored, prompt), 0);
    EXPECT_EQ(stored, "right");
    EXPECT_EQ(prompts, 2);

    answers = {"wrong"};
    prompts = 0;
    stored.clear();
    ASSERT_EQ(gui.Open(server.Target()), 0);
    ASSERT_EQ(gui.Greet(), 0);
    EXPECT_EQ(gui.Authorize(stored, prompt), -1);
    EXPECT_EQ(gui.FailureText(), "Can't connect without correct password");
    EXPECT_FALSE(link.ConnectionOpened());
}

TEST(ConnectToServer, UnansweredOrRefusedRequestsGiveTheirTexts) {
    struct Case {
        std::string greeting;
        bool answerRequests;
        int resultCode;
        int result;
        std::string text;
    };
    const Case cases[] = {
        {"", false, 0, 1, "Connect message timeout. Error = 1"},
        {"ZOL011x014002007", false, 0, 1, "ZOL.SetPassword timeout. Error = 1"},
        {"ZOL010x014002007", false, 0, 1, "ZOLApp.SetClientOptions timeout. Error = 1"},
        {"ZOL010x014002007", true, -4, -4, "ZOLApp.SetClientOptions failed. Error = -4"},
    };
    for (const Case& c : cases) {
        FakeServer server([&](FakeConnection& connection) {
            std::string frame;
            connection.ReadExactly(16, frame);
            if (!c.greeting.empty()) {
                connection.Write(c.greeting);
            }
            if (c.answerRequests) {
                AnswerRequests(connection, nullptr, c.resultCode);
            }
            connection.WaitForClose(std::chrono::seconds(10));
        });
        HandshakeRun run = RunConnect(server);
        EXPECT_EQ(run.result, c.result) << c.text;
        EXPECT_EQ(run.failureText, c.text);
    }
}

TEST(ConnectToServer, ServerClosingRightAfterTheGreetingFailsTheNextStep) {
    FakeServer server([](FakeConnection& connection) {
        AnswerGreeting(connection, kAcceptingGreeting);
        connection.Close();
    });
    HandshakeRun run = RunConnect(server);
    // Whether the close or the request comes first: no reply (1) or not sent (2).
    EXPECT_TRUE(run.result == 1 || run.result == 2) << run.result;
    EXPECT_EQ(run.failureText,
              "ZOLApp.SetClientOptions timeout. Error = " + std::to_string(run.result));
}

TEST(ConnectHandshake, ConnectionFailuresGiveEachProgramsText) {
    LinkTimeouts timeouts = ShortTimeouts();
    ServerLink link(timeouts);
    ServerTarget target;
    target.address = FakeServer([](FakeConnection&) {}).Target().address;
    target.port = FakeServer::UnusedPort();

    std::string text;
    EXPECT_EQ(ConnectToServer(link, target, "CloudCLI", text), 6);
    EXPECT_EQ(text, "Unable to connect to ZOL Server");
    ConnectHandshake gui(link, ClientProgram::Gui, OwnGreetingNumbers(ClientProgram::Gui));
    EXPECT_EQ(gui.Open(target), 6);
    EXPECT_EQ(gui.FailureText(), kGuiConnectFailedText);
    target.useRelay = true;  // no relay plugged in
    EXPECT_EQ(gui.Open(target), 6);
    EXPECT_EQ(gui.FailureText(), "Unable to connect to ZOL Cloud.");
}

// A relay that announces the fake server and binds with one exchange.
class FakeRelay : public ServerRelayHook {
  public:
    int ResolveServerViaRelay(ServerTarget& target) override {
        if (code != 0) {
            return code;
        }
        target.address = announced.address;
        target.port = announced.port;
        open = true;
        return 0;
    }
    int BindDataConnection(ServerLink& link) override {
        boundWithoutRelay += open ? 0 : 1;
        link.SetBinding(true);
        auto request = std::make_shared<PendingRequest>();
        request->message = "binding message";
        std::uint32_t id = link.Requests().Enqueue(request);
        if (request->sentEvent.Wait(std::chrono::seconds(10)) &&
            request->replyEvent.Wait(std::chrono::seconds(10))) {
            bindingAnswer = request->reply;
        }
        link.Requests().Remove(id);
        link.SetBinding(false);
        return 0;
    }
    void CloseRelay() override {
        ++closes;
        open = false;
    }

    int code = 0;
    ServerTarget announced;
    std::string bindingAnswer;
    int closes = 0;
    bool open = false;
    int boundWithoutRelay = 0;
};

TEST(ConnectHandshake, TheRelayResolvesAndBindsTheDataConnection) {
    std::string bindingMessage;
    auto server = std::make_unique<FakeServer>([&](FakeConnection& connection) {
        connection.ReadExactly(15, bindingMessage);
        connection.Write("{ready 0012    }");  // any bytes while binding
        AnswerGreeting(connection, kAcceptingGreeting);
        AnswerRequests(connection, nullptr);
    });
    LinkTimeouts timeouts = ShortTimeouts();
    FakeRelay relay;
    ServerLink link(timeouts);
    link.SetRelayHook(&relay);
    relay.announced = server->Target();
    ServerTarget viaRelay;
    viaRelay.useRelay = true;

    for (auto [code, text] : {std::pair{4,
                                        "Necessary cloud credentials not available.\nConnect "
                                        "directly to the ZOL server once to acquire."},
                              std::pair{9, "ZOL Cloud has not yet reported ZOL server online."},
                              std::pair{5, "Unable to connect to ZOL Server"}}) {
        relay.code = code;
        std::string failure;
        EXPECT_EQ(ConnectToServer(link, viaRelay, "CloudCLI", failure), code);
        EXPECT_EQ(failure, text);
    }
    relay.code = 0;
    std::string failure;
    EXPECT_EQ(ConnectToServer(link, viaRelay, "CloudCLI", failure), 0) << failure;
    EXPECT_EQ(relay.bindingAnswer, "{ready 0012    }");
    // Opening the data connection did not close the relay it came through.
    int closesBefore = relay.closes;
    EXPECT_EQ(link.OpenServerConnection(viaRelay), 0);
    EXPECT_EQ(relay.closes, closesBefore + 1);  // the earlier connection's relay
    EXPECT_TRUE(relay.open);
    EXPECT_EQ(relay.boundWithoutRelay, 0);
    link.CloseServerConnection();
    EXPECT_EQ(relay.closes, closesBefore + 2);
    server.reset();
    EXPECT_EQ(bindingMessage, "binding message");
}

TEST(ConnectToServer, ASecondConnectClosesTheFirstConnection) {
    std::atomic<int> closedByClient{0};
    FakeServer server([&](FakeConnection& connection) {
        AnswerGreeting(connection, kAcceptingGreeting);
        AnswerRequests(connection, nullptr);
        closedByClient += connection.PeerClosed() ? 1 : 0;
    });
    LinkTimeouts timeouts = ShortTimeouts();
    ServerLink link(timeouts);
    std::string failure;
    ASSERT_EQ(ConnectToServer(link, server.Target(), "CloudCLI", failure), 0);
    ASSERT_EQ(ConnectToServer(link, server.Target(), "CloudCLI", failure), 0);
    link.CloseServerConnection();
    for (int i = 0; i < 500 && closedByClient.load() < 2; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(closedByClient.load(), 2);
    EXPECT_EQ(server.Accepted(), 2);
}

}  // namespace
}  // namespace zol
