#include "serverlink/request_engine.h"

#include <vector>

#include "serverlink/field_list.h"
#include "serverlink/frame_splitter.h"
#include "serverlink/link_observer.h"

namespace zol {
namespace {

constexpr std::string_view kAppObject = "ZOLApp";
constexpr std::string_view kObjectObject = "ZOLObject";
constexpr std::string_view kPingMethod = "Ping";

bool NamesMatch(const PendingRequest& request, std::string_view object, std::string_view method) {
    if (request.methodName != method) {
        return false;
    }
    return request.objectName == object ||
           (request.objectName == kAppObject && object == kObjectObject);
}

}  // namespace

int RequestEngine::SendRequest(std::string_view message, std::int32_t& resultCode,
                               std::string& replyText, bool noWait) {
    replyText.clear();
    if (!transport_.IsConnected()) {
        return kRequestNotSent;
    }
    auto request = std::make_shared<PendingRequest>();
    if (!IsGreetingFrame(message)) {
        std::vector<FieldValue> fields;
        if (DecodeFieldList(message, fields) != kFieldListOk) {
            return kRequestNotDecodable;
        }
        if (!fields.empty()) {
            request->objectName = fields[0].text;
        }
        if (fields.size() > 1) {
            request->methodName = fields[1].text;
        }
    }
    bool isPing = request->objectName == kAppObject && request->methodName == kPingMethod;
    request->message.assign(message);

    int error = kRequestOk;
    std::uint32_t id = Enqueue(request);
    if (id == 0) {
        error = kRequestNotSent;
    } else if (!request->sentEvent.Wait(SecondsToWait(timeouts_.serverSendTimeout))) {
        error = kRequestNotSent;
    } else if (!noWait && !request->replyEvent.Wait(SecondsToWait(timeouts_.serverReplyTimeout))) {
        error = kRequestNoReply;
    }
    if (id != 0) {
        Remove(id);
    }
    if (error == kRequestOk && !noWait) {
        // The reply ends at its first zero byte, as the callers read it.
        std::string_view reply(request->reply);
        replyText.assign(reply.substr(0, reply.find('\0')));
        resultCode = request->resultCode;
    } else if (error == kRequestOk) {
        resultCode = 0;
    }
    if (isPing) {
        CountPing(error);
    }
    return error;
}

std::uint32_t RequestEngine::Enqueue(std::shared_ptr<PendingRequest> request) {
    std::uint32_t id = 0;
    {
        std::lock_guard lock(pendingMutex_);
        id = ++lastRequestId_;
        if (id == 0) {
            id = ++lastRequestId_;
        }
        std::string_view message = request->message;
        pending_.push_back(PendingEntry{std::move(request), id, false});
        if (!transport_.AppendOutgoing(message, id)) {
            pending_.pop_back();
            return 0;
        }
    }
    transport_.FlushOutgoing();
    return id;
}

void RequestEngine::Remove(std::uint32_t requestId) {
    std::lock_guard lock(pendingMutex_);
    std::erase_if(pending_,
                  [&](const PendingEntry& entry) { return entry.requestId == requestId; });
}

void RequestEngine::MarkSending(std::uint32_t requestId) {
    std::lock_guard lock(pendingMutex_);
    for (PendingEntry& entry : pending_) {
        if (entry.requestId == requestId) {
            entry.sent = true;
            return;
        }
    }
}

void RequestEngine::MarkSent(std::uint32_t requestId) {
    std::lock_guard lock(pendingMutex_);
    for (PendingEntry& entry : pending_) {
        if (entry.requestId == requestId) {
            entry.sent = true;
            entry.request->sentEvent.Set();
            return;
        }
    }
}

bool RequestEngine::MatchReply(std::string_view frame, bool binding) {
    std::lock_guard lock(pendingMutex_);
    auto firstSent = [this] {
        for (auto it = pending_.begin(); it != pending_.end(); ++it) {
            if (it->sent) {
                return it;
            }
        }
        return pending_.end();
    };

    std::int32_t resultCode = 0;
    auto candidate = pending_.end();
    if (binding || IsGreetingFrame(frame)) {
        candidate = firstSent();
    } else {
        std::vector<FieldValue> fields;
        if (DecodeFieldList(frame, fields) != kFieldListOk) {
            return false;
        }
        if (fields.size() == 1 && fields[0].kind == FieldNumber) {
            resultCode = fields[0].number;
            candidate = firstSent();
        } else if (fields.size() >= 3 && fields[0].kind == FieldNumber &&
                   fields[1].kind == FieldText && fields[2].kind == FieldText) {
            resultCode = fields[0].number;
            for (auto it = pending_.begin(); it != pending_.end(); ++it) {
                if (it->sent && NamesMatch(*it->request, fields[1].text, fields[2].text)) {
                    candidate = it;
                    break;
                }
            }
        }
    }
    if (candidate == pending_.end()) {
        return false;
    }
    PendingRequest& request = *candidate->request;
    request.reply.assign(frame);
    request.resultCode = resultCode;
    // The entry leaves the list here, so the send thread's MarkSent will not
    // find it: a reply is proof enough that the request went out.
    request.sentEvent.Set();
    request.replyEvent.Set();
    pending_.erase(candidate);
    return true;
}

void RequestEngine::CountPing(int error) {
    int missed = 0;
    {
        std::lock_guard lock(pingMutex_);
        missedPings_ = error != kRequestOk ? missedPings_ + 1 : 0;
        missed = missedPings_;
    }
    if (missed > 0 && missed == timeouts_.missedPingBeforeDisconnect && observer_ != nullptr) {
        observer_->OnMissedPingLimit(missed);
    }
}

int RequestEngine::MissedPings() const {
    std::lock_guard lock(pingMutex_);
    return missedPings_;
}

std::size_t RequestEngine::PendingCount() const {
    std::lock_guard lock(pendingMutex_);
    return pending_.size();
}

}  // namespace zol
