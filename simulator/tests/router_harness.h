// Runs requests through the request router in-process, without sockets.
#pragma once

#include <string>
#include <vector>

#include "serverlink/field_list.h"
#include "simulator/request_router.h"

namespace zol::test {

struct RouterHarness {
    SimServerState state;
    SessionState session;
    RequestRouter router = RequestRouter::WithAllRequests();
    std::vector<SimPush> pushes;  // of the last request
    std::string replyText;        // of the last request
    RequestFailure failure;       // the control port's failing request

    RouterHarness() { session.authorised = true; }

    // The decoded reply of one request built from `fields`.
    std::vector<FieldValue> Ask(const std::vector<std::string>& fields) {
        FieldList message(static_cast<int>(fields.size()));
        for (const std::string& field : fields) {
            message.Add(field);
        }
        RequestOutcome outcome = router.Handle(message.Message(), state, session, &failure);
        pushes = outcome.pushes;
        replyText = outcome.reply;
        std::vector<FieldValue> reply;
        DecodeFieldList(outcome.reply, reply);
        return reply;
    }
};

inline std::vector<FieldValue> Decode(const std::string& message) {
    std::vector<FieldValue> fields;
    DecodeFieldList(message, fields);
    return fields;
}

}  // namespace zol::test
