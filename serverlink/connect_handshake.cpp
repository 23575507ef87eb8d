#include "serverlink/connect_handshake.h"

#include <cstdarg>
#include <cstdio>

#include "serverlink/field_list.h"
#include "serverlink/frame_splitter.h"
#include "serverlink/server_link.h"

namespace zol {
namespace {

// Oldest server release this client still talks to.
constexpr int kMinServerMajor = 13;
constexpr int kMinServerMinor = 1;

constexpr int kProtocolLevelE = 14;
constexpr int kProtocolLevelDefault = 13;

constexpr int kGreetingStatusAccepted = 0;
constexpr int kGreetingStatusStepDown = 2;

// Open failures with a text of their own.
constexpr int kOpenNoRelayCredential = 4;
constexpr int kOpenRelayUnreachable = 6;
constexpr int kOpenServerNotAnnounced = 9;

__attribute__((format(printf, 1, 2))) std::string Format(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    if (length < 0) {
        return {};
    }
    return std::string(buffer, std::min(static_cast<std::size_t>(length), sizeof(buffer) - 1));
}

}  // namespace

ConnectHandshake::ConnectHandshake(ServerLink& link, ClientProgram program, GreetingNumbers numbers)
    : link_(link), program_(program), numbers_(numbers) {}

int ConnectHandshake::Fail(std::string text, int result) {
    if (!keepConnectionOnFailure_) {
        link_.CloseServerConnection();
    }
    failureText_ = std::move(text);
    return result;
}

std::string ConnectHandshake::OpenFailureText(int code, bool useRelay) const {
    if (code == kOpenNoRelayCredential) {
        return "Necessary cloud credentials not available.\nConnect directly to the ZOL server "
               "once to acquire.";
    }
    if (code == kOpenRelayUnreachable && useRelay) {
        return "Unable to connect to ZOL Cloud.";
    }
    if (code == kOpenServerNotAnnounced) {
        return "ZOL Cloud has not yet reported ZOL server online.";
    }
    if (program_ == ClientProgram::CommandLine) {
        return "Unable to connect to ZOL Server";
    }
    return std::string(kGuiConnectFailedText);
}

int ConnectHandshake::Open(const ServerTarget& target) {
    failureText_.clear();
    passwordDemanded_ = false;
    versionRefused_ = false;
    if (link_.ConnectionOpened()) {
        link_.CloseServerConnection();
    }
    int code = link_.OpenServerConnection(target);
    if (code != kOpenOk) {
        return Fail(OpenFailureText(code, target.useRelay), code);
    }
    return 0;
}

int ConnectHandshake::Greet() {
    char letter = 'F';
    for (;;) {
        std::int32_t resultCode = 0;
        std::string reply;
        int error = link_.SendRequest(FormatGreeting(letter, numbers_), resultCode, reply);
        if (error != 0) {
            return Fail(Format("Connect message timeout. Error = %d", error), error);
        }
        if (!IsGreetingReply(reply)) {
            return Fail(Format("Connect message reply error. Message length = %d",
                               static_cast<int>(reply.size())),
                        -1);
        }
        GreetingReply greeting = ParseGreetingReply(reply);
        if (greeting.status == kGreetingStatusStepDown) {
            char lower = NextLowerGreetingLetter(letter);
            if (lower != 0) {
                letter = lower;
                continue;
            }
        }
        if (greeting.status != kGreetingStatusAccepted) {
            versionRefused_ = true;
            return Fail(Format("Server version %d.%d.%d doesn't support client %d.%d.%d",
                               greeting.serverMajor, greeting.serverMinor, greeting.serverBuild,
                               numbers_[0], numbers_[1], numbers_[2]),
                        greeting.status);
        }
        if (greeting.serverMajor < kMinServerMajor ||
            (greeting.serverMajor == kMinServerMajor && greeting.serverMinor < kMinServerMinor)) {
            versionRefused_ = true;
            return Fail(Format("Client version %d.%d.%d doesn't support server %d.%d.%d",
                               numbers_[0], numbers_[1], numbers_[2], greeting.serverMajor,
                               greeting.serverMinor, greeting.serverBuild),
                        -1);
        }
        GreetingValues values;
        values.serverMajor = greeting.serverMajor;
        values.serverMinor = greeting.serverMinor;
        values.serverBuild = greeting.serverBuild;
        values.clientNumber = greeting.clientNumber;
        values.protocolLevel = letter == 'E' ? kProtocolLevelE : kProtocolLevelDefault;
        link_.SetGreetingValues(values);
        passwordDemanded_ = greeting.passwordDemanded;
        return 0;
    }
}

int ConnectHandshake::SendPassword(std::string_view password, std::int32_t& serverResult) {
    std::string reply;
    std::string request = FieldList{"ZOLObject", "ZOL.SetPassword", "4", password}.Message();
    int error = link_.SendRequest(request, serverResult, reply);
    if (error != 0) {
        return Fail(Format("ZOL.SetPassword timeout. Error = %d", error), error);
    }
    return 0;
}

int ConnectHandshake::Authorize(std::string& password,
                                const std::function<bool(std::string&)>& prompt) {
    if (!passwordDemanded_) {
        return 0;
    }
    for (;;) {
        while (password.empty()) {
            if (!prompt(password)) {
                return Fail("Can't connect without correct password", -1);
            }
        }
        std::int32_t serverResult = 0;
        int error = SendPassword(password, serverResult);
        if (error != 0 || serverResult == 0) {
            return error;
        }
        password.clear();
    }
}

int ConnectHandshake::SendClientOptions(std::string_view clientName) {
    std::int32_t resultCode = 0;
    std::string reply;
    std::string request = FieldList{"ZOLApp", "SetClientOptions", "0", clientName}.Message();
    int error = link_.SendRequest(request, resultCode, reply);
    if (error != 0) {
        return Fail(Format("ZOLApp.SetClientOptions timeout. Error = %d", error), error);
    }
    if (resultCode != 0) {
        return Fail(Format("ZOLApp.SetClientOptions failed. Error = %d", resultCode), resultCode);
    }
    return 0;
}

int ConnectToServer(ServerLink& link, const ServerTarget& target, std::string_view clientName,
                    std::string& failureText) {
    ConnectHandshake handshake(link, ClientProgram::CommandLine,
                               OwnGreetingNumbers(ClientProgram::CommandLine));
    int result = handshake.Open(target);
    if (result == 0) {
        result = handshake.Greet();
    }
    if (result == 0 && handshake.PasswordDemanded()) {
        std::int32_t serverResult = 0;
        result = handshake.SendPassword(target.password, serverResult);
        if (result == 0 && serverResult != 0) {
            result = handshake.Fail("Incorrect remote access password", serverResult);
        }
    }
    if (result == 0) {
        result = handshake.SendClientOptions(clientName);
    }
    failureText = handshake.FailureText();
    return result;
}

}  // namespace zol
