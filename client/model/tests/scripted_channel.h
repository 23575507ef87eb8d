// A RequestChannel that answers from a script instead of a server: the
// test's handler sees each request's fields and returns the reply frame.
// Every request is kept, so a test can count and read them.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "client/model/reply_fields.h"
#include "client/model/request_channel.h"
#include "serverlink/field_list.h"

namespace zol::testing {

struct ScriptedReply {
    int error = 0;      // a SendRequest error instead of a reply
    std::string frame;  // the whole reply
};

// A reply frame: the fields as given ("0", "ZOLApp", "GetDesign", ...).
inline std::string Frame(std::initializer_list<std::string_view> fields) {
    return FieldList(fields).Message();
}
inline std::string Frame(const std::vector<std::string>& fields) {
    FieldList list(static_cast<int>(fields.size()));
    for (const std::string& field : fields)
        list.Add(field);
    return list.Message();
}

class ScriptedChannel : public RequestChannel {
  public:
    using Handler = std::function<ScriptedReply(const ReplyFields& request)>;

    explicit ScriptedChannel(Handler handler) : handler_(std::move(handler)) {}

    int SendRequest(std::string_view message, std::int32_t& resultCode,
                    std::string& reply) override {
        ReplyFields request;
        request.Decode(message);
        requests.push_back(request);
        ScriptedReply answer = handler_(request);
        ReplyFields fields;
        fields.Decode(answer.frame);
        resultCode = ReadDecimal(fields.Text(1));
        reply = std::move(answer.frame);
        return answer.error;
    }

    // Answered one by one as the base does; the sizes are kept.
    void SendRequests(std::span<BatchedRequest> batch, const BatchReplyHandler& onReply) override {
        batches.push_back(batch.size());
        RequestChannel::SendRequests(batch, onReply);
    }

    // The method names ("GetDesign", ...) of the requests so far.
    std::vector<std::string> Methods() const {
        std::vector<std::string> names;
        for (const ReplyFields& request : requests)
            names.emplace_back(request.Text(2));
        return names;
    }

    std::vector<ReplyFields> requests;
    std::vector<std::size_t> batches;  // sizes of the batches sent

  private:
    Handler handler_;
};

}  // namespace zol::testing
