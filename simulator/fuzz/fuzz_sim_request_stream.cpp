// Feeds arbitrary bytes to the server's side of a connection: the frame
// reader, the greeting and the request router over a small generated house.
// Every reply must be a frame the clients can cut (at most 9,999 bytes, a
// field list or a 16-byte greeting reply).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "serverlink/field_list.h"
#include "simulator/design_generator.h"
#include "simulator/frame_reader.h"
#include "simulator/greeting.h"
#include "simulator/request_router.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckReply(const std::string& reply) {
    Check(reply.size() <= zol::kMaxFieldListLength);
    std::vector<zol::FieldValue> fields;
    Check(zol::DecodeFieldList(reply, fields) == zol::kFieldListOk);
    Check(!fields.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const zol::RequestRouter router = zol::RequestRouter::WithAllRequests();
    static const zol::SimDesign house = zol::GenerateDesign({60, 4, 9});
    zol::SimServerState state;
    state.design = house;
    state.config.password = size % 2 == 0 ? "" : "pw";
    zol::SessionState session;

    zol::FrameReader reader;
    // Two halves, so that frames split across reads are exercised too.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const std::string& chunk : {bytes.substr(0, size / 2), bytes.substr(size / 2)}) {
        reader.Append(chunk);
        std::string frame;
        zol::FrameReader::Status status;
        while ((status = reader.Next(frame)) == zol::FrameReader::Status::kFrame) {
            if (zol::IsClientGreeting(frame)) {
                const zol::GreetingAnswer answer =
                    zol::AnswerClientGreeting(frame, state.config, session);
                Check(answer.reply.size() == zol::kGreetingLength);
                continue;
            }
            const zol::RequestOutcome outcome = router.Handle(frame, state, session);
            CheckReply(outcome.reply);
            for (const zol::SimPush& push : outcome.pushes) {
                CheckReply(push.message);
            }
        }
        if (status == zol::FrameReader::Status::kMalformed) {
            break;
        }
    }
    return 0;
}
