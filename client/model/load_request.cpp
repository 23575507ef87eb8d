#include "client/model/load_request.h"

#include "client/model/load_limits.h"
#include "client/model/request_channel.h"

namespace zol {

namespace {

std::string Text(std::string_view name, std::string_view what, int code) {
    std::string text(name);
    text.append(what).append(". Error = ").append(std::to_string(code));
    return text;
}

}  // namespace

int LoadRequest::Send(std::string_view message) {
    resultCode_ = 0;
    reply_.clear();
    const int error = channel_.SendRequest(message, resultCode_, reply_);
    if (error != 0)
        failureText_ = Text(name_, " timeout", error);
    return error;
}

int LoadRequest::Take(BatchedRequest& sent) {
    resultCode_ = sent.resultCode;
    reply_ = std::move(sent.reply);
    if (sent.error != 0)
        failureText_ = Text(name_, " timeout", sent.error);
    return sent.error;
}

int LoadRequest::Exchange(std::string_view message, ReplyFields* fields) {
    if (int error = Send(message))
        return error;
    if (resultCode_ != 0)
        return Failed();
    return fields != nullptr ? Decode(*fields) : 0;
}

int LoadRequest::Failed() {
    failureText_ = Text(name_, " failed", resultCode_);
    return resultCode_;
}

int LoadRequest::Decode(ReplyFields& fields) {
    const int code = fields.Decode(reply_);
    return code == 0 ? 0 : DecodeFailed(code);
}

int LoadRequest::DecodeFailed(int code) {
    failureText_ = Text(name_, " decode failed", code);
    return code;
}

int LoadRequest::LimitReached(std::int64_t limit, std::string_view what) {
    failureText_ = LimitText(name_, limit, what);
    return kLoadLimitReached;
}

}  // namespace zol
