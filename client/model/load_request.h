// One exchange of the load sequence, with the failure texts it reports:
// "<name> timeout. Error = %d" when no reply came, "<name> failed. Error = %d"
// for a result code the caller refuses, "<name> decode failed. Error = %d"
// for a reply that does not decode. `name` is the request's dotted name
// ("ZOLApp.GetDesign", "ZOL.GetDesignTitle").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "client/model/reply_fields.h"
#include "serverlink/request_engine.h"

namespace zol {

class RequestChannel;

class LoadRequest {
  public:
    LoadRequest(RequestChannel& channel, std::string_view name, std::string& failureText)
        : channel_(channel), name_(name), failureText_(failureText) {}

    // Sends `message` and waits: 0, or the channel's error with the timeout
    // text.
    int Send(std::string_view message);
    // Takes the outcome of a request sent in a batch as Send would have.
    int Take(BatchedRequest& sent);
    std::int32_t ResultCode() const { return resultCode_; }
    // The common pattern: sends, refuses a non-zero result code with the
    // failed text, and decodes the reply into `fields` (when given).
    int Exchange(std::string_view message, ReplyFields* fields);
    // The failed text with the result code; returns the code.
    int Failed();
    // Decodes the reply: 0, or the decoder's code with the decode text.
    int Decode(ReplyFields& fields);
    // The decode text for a part of the reply that does not decode.
    int DecodeFailed(int code);
    // The text for a load that `limit` of `what` ("parts") stopped; returns
    // kLoadLimitReached.
    int LimitReached(std::int64_t limit, std::string_view what);

  private:
    RequestChannel& channel_;
    std::string_view name_;
    std::string& failureText_;
    std::int32_t resultCode_ = 0;
    std::string reply_;
};

}  // namespace zol
