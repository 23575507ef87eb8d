// Turns one decoded request into its reply (result code, the request's object
// and method names, the results) and the pushes it causes. Handlers register
// by method name; the request groups live in *_requests.cpp files.
//
// Not thread-safe: used by the server's one event-loop thread.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "serverlink/field_list.h"
#include "simulator/field_builder.h"
#include "simulator/request_failure.h"
#include "simulator/server_log.h"
#include "simulator/session_state.h"
#include "simulator/sim_config.h"
#include "simulator/sim_design.h"

namespace zol {

// Result codes the server answers with.
inline constexpr int kResultOk = 0;
inline constexpr int kResultLookupError = -1;   // unknown object, bad argument
inline constexpr int kResultNotSupported = -2;  // also "GetFile": no such file
inline constexpr int kResultNoPermission = -3;  // password missing or wrong
inline constexpr int kResultSuspended = -4;     // also "GetFile": local copy current
inline constexpr int kResultUnknownRequest = -104;
// Repeated requests (parts, chunks) end with this code.
inline constexpr int kResultNoMoreData = 1;

// The state all sessions share.
struct SimServerState {
    SimDesign design;
    SimConfig config;
    ServerLog log;
    std::string updateUrl;  // as "SetUpdateURL" last gave it
    std::chrono::system_clock::time_point startTime = std::chrono::system_clock::now();
};

// Who receives a push.
enum class PushAudience {
    kEveryone,           // every greeted client
    kStatusSubscribers,  // clients that asked for "ExtServerStatus"
    kRequester,          // only the client whose request caused it
};

struct SimPush {
    std::string message;
    PushAudience audience = PushAudience::kEveryone;
};

class RequestContext {
    const std::vector<FieldValue>& fields_;

  public:
    RequestContext(const std::vector<FieldValue>& fields, SimServerState& serverState,
                   SessionState& sessionState)
        : fields_(fields), state(serverState), session(sessionState) {}

    // Fields are numbered from 1; a missing field reads as "" and 0.
    const std::string& Text(std::size_t fieldNumber) const;
    int Number(std::size_t fieldNumber) const;
    // True when the field is there and holds a decimal number.
    bool IsNumber(std::size_t fieldNumber) const;
    std::size_t FieldCount() const { return fields_.size(); }

    SimDesign& Design() { return state.design; }
    const SimConfig& Config() const { return state.config; }

    // An entry of the server log, stamped now.
    void Log(int kind, std::string text) {
        state.log.Add(kind, std::move(text), std::chrono::system_clock::now());
    }

    // Pushes sent after the reply.
    void Push(std::string message, PushAudience audience = PushAudience::kEveryone) {
        pushes.push_back({std::move(message), audience});
    }

    SimServerState& state;
    SessionState& session;
    std::vector<SimPush> pushes;
};

struct HandlerResult {
    int resultCode = kResultOk;
    FieldBuilder results;

    static HandlerResult Code(int code) {
        HandlerResult result;
        result.resultCode = code;
        return result;
    }
};

using RequestHandler = std::function<HandlerResult(RequestContext&)>;

struct RequestOutcome {
    std::string reply;
    std::vector<SimPush> pushes;
};

class RequestRouter {
  public:
    // A router with every request of the catalogue registered.
    static RequestRouter WithAllRequests();

    void Register(const std::string& method, RequestHandler handler);

    // Answers one request message (a field list). Malformed messages get the
    // single result code -1; unknown methods -104; before the password is
    // given, everything but the password request gets -3. A request that
    // `failure` names fails as it says.
    RequestOutcome Handle(std::string_view message, SimServerState& state, SessionState& session,
                          const RequestFailure* failure = nullptr) const;

  private:
    std::unordered_map<std::string, RequestHandler> handlers_;
};

// Registration of the request groups.
void RegisterSessionRequests(RequestRouter& router);
void RegisterDesignRequests(RequestRouter& router);
void RegisterDisplayRequests(RequestRouter& router);
void RegisterFileRequests(RequestRouter& router);
void RegisterDeviceRequests(RequestRouter& router);
void RegisterStatusRequests(RequestRouter& router);
void RegisterLogRequests(RequestRouter& router);

}  // namespace zol
