#include "simulator/request_router.h"

namespace zol {

namespace {

const std::string kEmptyText;

std::string SingleCode(int code) {
    return FieldBuilder().Add(code).Message();
}

}  // namespace

const std::string& RequestContext::Text(std::size_t fieldNumber) const {
    if (fieldNumber == 0 || fieldNumber > fields_.size()) {
        return kEmptyText;
    }
    return fields_[fieldNumber - 1].text;
}

int RequestContext::Number(std::size_t fieldNumber) const {
    if (fieldNumber == 0 || fieldNumber > fields_.size()) {
        return 0;
    }
    return fields_[fieldNumber - 1].number;
}

bool RequestContext::IsNumber(std::size_t fieldNumber) const {
    return fieldNumber != 0 && fieldNumber <= fields_.size() &&
           fields_[fieldNumber - 1].kind == FieldNumber && !fields_[fieldNumber - 1].text.empty();
}

RequestRouter RequestRouter::WithAllRequests() {
    RequestRouter router;
    RegisterSessionRequests(router);
    RegisterDesignRequests(router);
    RegisterDisplayRequests(router);
    RegisterFileRequests(router);
    RegisterDeviceRequests(router);
    RegisterStatusRequests(router);
    RegisterLogRequests(router);
    return router;
}

void RequestRouter::Register(const std::string& method, RequestHandler handler) {
    handlers_[method] = std::move(handler);
}

RequestOutcome RequestRouter::Handle(std::string_view message, SimServerState& state,
                                     SessionState& session, const RequestFailure* failure) const {
    RequestOutcome outcome;
    std::vector<FieldValue> fields;
    if (DecodeFieldList(message, fields) != kFieldListOk || fields.size() < 2) {
        outcome.reply = SingleCode(kResultLookupError);
        return outcome;
    }
    const std::string& object = fields[0].text;
    const std::string& method = fields[1].text;

    HandlerResult result;
    auto handler = handlers_.find(method);
    const bool failing = failure != nullptr && failure->Matches(method);
    if (!session.authorised && method != "ZOL.SetPassword") {
        result = HandlerResult::Code(kResultNoPermission);
    } else if (failing && failure->resultCode != 0) {
        result = HandlerResult::Code(failure->resultCode);
    } else if (handler == handlers_.end()) {
        result = HandlerResult::Code(kResultUnknownRequest);
    } else {
        RequestContext context(fields, state, session);
        result = handler->second(context);
        outcome.pushes = std::move(context.pushes);
    }

    FieldBuilder reply;
    reply.Add(result.resultCode).Add(object).Add(method).Append(result.results);
    outcome.reply = reply.Message();
    if (outcome.reply.size() > kMaxFieldListLength) {
        // A design that does not fit one reply must not become a reply the
        // client cannot frame.
        outcome.reply = FieldBuilder().Add(kResultLookupError).Add(object).Add(method).Message();
        outcome.pushes.clear();
    }
    if (failing && failure->resultCode == 0 && failure->undecodable) {
        outcome.reply = BreakNestedLists(outcome.reply);
    }
    return outcome;
}

}  // namespace zol
