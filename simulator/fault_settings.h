// Misbehaviour on purpose, switched through the control port so that tests
// and demos can see how clients cope.
#pragma once

#include <string>
#include <vector>

#include "simulator/request_failure.h"

namespace zol {

struct FaultSettings {
    bool dropOnRequest = false;       // close the connection instead of answering
    bool silent = false;              // read requests, never answer them
    int replyDelayMs = 0;             // answer late
    bool garbage = false;             // send bytes that are no frame instead of each reply
    bool splitWrites = false;         // write replies and pushes one byte at a time
    bool closeAfterGreeting = false;  // accept the greeting, then close
    int targetConnection = 0;         // 0: every connection, else only this connection id
    RequestFailure failingRequest;    // one request answered with a failure

    bool AppliesTo(int connectionId) const {
        return targetConnection == 0 || targetConnection == connectionId;
    }
};

// Switches one fault by name ("drop", "silent", "delay", "garbage", "split",
// "closeaftergreeting", "target"); `value` is "on", "off" or a number.
// Returns an empty text, or why the setting was refused.
std::string SetFault(FaultSettings& faults, const std::string& name, const std::string& value);

// Makes the request `method` fail: `how` is a non-zero result code or
// "undecodable"; `method` "off" (with no `how`) ends it. Returns an empty
// text, or why the setting was refused.
std::string SetRequestFault(FaultSettings& faults, const std::string& method,
                            const std::string& how);

// One "name value" line per fault.
std::vector<std::string> DescribeFaults(const FaultSettings& faults);

}  // namespace zol
