// The server's side of the 16-byte greeting: the client states its version
// and greeting letter, the server answers with a status digit, the client
// number, the password flag and its own version.
#pragma once

#include <string>
#include <string_view>

#include "simulator/session_state.h"
#include "simulator/sim_config.h"

namespace zol {

inline constexpr std::size_t kGreetingLength = 16;

// Status digits of the reply.
inline constexpr char kGreetingAccepted = '0';
inline constexpr char kGreetingRefused = '1';
inline constexpr char kGreetingStepDown = '2';

struct GreetingAnswer {
    std::string reply;  // always 16 bytes
    bool accepted = false;
    bool malformed = false;  // not a greeting frame at all: answer, then close
};

bool IsClientGreeting(std::string_view frame);

// Answers one greeting and, when it is accepted, marks the session greeted
// (and authorised when the server has no password).
GreetingAnswer AnswerClientGreeting(std::string_view frame, const SimConfig& config,
                                    SessionState& session);

}  // namespace zol
