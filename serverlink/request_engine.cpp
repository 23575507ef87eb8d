#include "serverlink/request_engine.h"

#include <algorithm>
#include <vector>

#include "serverlink/field_list.h"
#include "serverlink/frame_splitter.h"
#include "serverlink/link_observer.h"

namespace zol {
namespace {

constexpr std::string_view kAppObject = "ZOLApp";
constexpr std::string_view kObjectObject = "ZOLObject";
constexpr std::string_view kPingMethod = "Ping";

// Takes a message back that has not been written yet; false once a byte of
// it has gone (or it was withdrawn before).
bool TryWithdraw(PendingRequest& request) {
    WireState queued = WireState::Queued;
    return request.wire.compare_exchange_strong(queued, WireState::Withdrawn);
}

bool OnWire(const PendingEntry& entry) {
    return entry.request->wire.load() == WireState::Written;
}

bool NamesMatch(const PendingRequest& request, std::string_view object, std::string_view method) {
    if (request.methodName != method) {
        return false;
    }
    return request.objectName == object ||
           (request.objectName == kAppObject && object == kObjectObject);
}

}  // namespace

std::shared_ptr<PendingRequest> RequestEngine::MakeRequest(std::string_view message, int& error) {
    error = kRequestOk;
    if (!transport_.IsConnected()) {
        error = kRequestNotSent;
        return nullptr;
    }
    auto request = std::make_shared<PendingRequest>();
    if (!IsGreetingFrame(message)) {
        std::vector<FieldValue> fields;
        if (DecodeFieldList(message, fields) != kFieldListOk) {
            error = kRequestNotDecodable;
            return nullptr;
        }
        if (!fields.empty()) {
            request->objectName = fields[0].text;
        }
        if (fields.size() > 1) {
            request->methodName = fields[1].text;
        }
    }
    request->message.assign(message);
    return request;
}

int RequestEngine::AwaitReply(std::uint32_t id, PendingRequest& request, bool noWait,
                              std::int32_t& resultCode, std::string& replyText) {
    int error = kRequestOk;
    if (id == 0) {
        error = kRequestNotSent;
    } else if (!transport_.Await(request.sentEvent, SecondsToWait(timeouts_.serverSendTimeout)) &&
               TryWithdraw(request)) {
        // Not a byte of it went out, and now none will.
        error = kRequestNotSent;
    } else if (!noWait &&
               !transport_.Await(request.replyEvent, SecondsToWait(timeouts_.serverReplyTimeout))) {
        // Also when the send wait ran out with the message partly written:
        // the framing needed the rest of it, so it counts as sent.
        error = kRequestNoReply;
    }
    if (id != 0) {
        Remove(id);
    }
    if (request.abandoned.load() && error == kRequestOk) {
        error = kRequestNoReply;
    }
    if (error == kRequestOk && !noWait) {
        // The reply ends at its first zero byte, as the callers read it.
        std::string_view reply(request.reply);
        replyText.assign(reply.substr(0, reply.find('\0')));
        resultCode = request.resultCode;
    } else if (error == kRequestOk) {
        resultCode = 0;
    }
    return error;
}

int RequestEngine::SendRequest(std::string_view message, std::int32_t& resultCode,
                               std::string& replyText, bool noWait) {
    replyText.clear();
    int error = kRequestOk;
    std::shared_ptr<PendingRequest> request = MakeRequest(message, error);
    if (request == nullptr) {
        return error;
    }
    const bool isPing = request->objectName == kAppObject && request->methodName == kPingMethod;
    error = AwaitReply(Enqueue(request), *request, noWait, resultCode, replyText);
    if (isPing && !request->abandoned.load()) {
        CountPing(error);
    }
    return error;
}

void RequestEngine::SendRequests(std::span<BatchedRequest> batch,
                                 const BatchReplyHandler& onReply) {
    std::vector<std::pair<std::uint32_t, std::shared_ptr<PendingRequest>>> sent;
    sent.reserve(batch.size());
    std::uint32_t last = 0;
    for (BatchedRequest& entry : batch) {
        entry.reply.clear();
        entry.resultCode = 0;
        std::shared_ptr<PendingRequest> request = MakeRequest(entry.message, entry.error);
        const std::uint32_t id = request != nullptr ? Register(request) : 0;
        last = id != 0 ? id : last;
        sent.emplace_back(id, request);
    }
    // Written together: the server gets the batch at once.
    if (last != 0) {
        transport_.FlushOutgoing(last);
    }
    bool handing = static_cast<bool>(onReply);
    for (std::size_t i = 0; i < batch.size(); ++i) {
        if (sent[i].second != nullptr) {
            batch[i].error = AwaitReply(sent[i].first, *sent[i].second, false, batch[i].resultCode,
                                        batch[i].reply);
        }
        handing = handing && onReply(i);
    }
}

std::uint32_t RequestEngine::Enqueue(std::shared_ptr<PendingRequest> request) {
    const std::uint32_t id = Register(std::move(request));
    if (id != 0) {
        transport_.FlushOutgoing(id);
    }
    return id;
}

std::uint32_t RequestEngine::Register(std::shared_ptr<PendingRequest> request) {
    std::lock_guard lock(pendingMutex_);
    std::uint32_t id = ++lastRequestId_;
    if (id == 0) {
        id = ++lastRequestId_;
    }
    if (!transport_.AppendOutgoing(request, id)) {
        return 0;
    }
    pending_.push_back(PendingEntry{std::move(request), id});
    return id;
}

void RequestEngine::Remove(std::uint32_t requestId) {
    bool withdrawn = false;
    {
        std::lock_guard lock(pendingMutex_);
        auto entry = std::find_if(pending_.begin(), pending_.end(),
                                  [&](const PendingEntry& e) { return e.requestId == requestId; });
        if (entry == pending_.end()) {
            return;  // a reply took it
        }
        TryWithdraw(*entry->request);
        withdrawn = entry->request->wire.load() == WireState::Withdrawn;
        pending_.erase(entry);
    }
    if (withdrawn) {
        transport_.DropOutgoing(requestId);
    }
}

bool RequestEngine::ClaimForWire(PendingRequest& request) {
    WireState queued = WireState::Queued;
    return request.wire.compare_exchange_strong(queued, WireState::Written) ||
           queued == WireState::Written;
}

bool RequestEngine::ClaimAllForWire(std::span<PendingRequest* const> requests) {
    std::vector<PendingRequest*> claimed;
    for (PendingRequest* request : requests) {
        WireState queued = WireState::Queued;
        if (request->wire.compare_exchange_strong(queued, WireState::Written)) {
            claimed.push_back(request);
        } else if (queued != WireState::Written) {
            // Withdrawn: nothing of the run may go, so the claims made here
            // are given back (no byte was written; their callers may still
            // withdraw).
            for (PendingRequest* own : claimed) {
                own->wire.store(WireState::Queued);
            }
            return false;
        }
    }
    return true;
}

void RequestEngine::MarkSent(std::uint32_t requestId) {
    std::lock_guard lock(pendingMutex_);
    for (PendingEntry& entry : pending_) {
        if (entry.requestId == requestId) {
            entry.request->sentEvent.Set();
            return;
        }
    }
}

bool RequestEngine::MatchReply(std::string_view frame, bool binding) {
    std::lock_guard lock(pendingMutex_);
    auto firstSent = [this] {
        for (auto it = pending_.begin(); it != pending_.end(); ++it) {
            if (OnWire(*it)) {
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
                if (OnWire(*it) && NamesMatch(*it->request, fields[1].text, fields[2].text)) {
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
    // The entry leaves the list here, so the writer's MarkSent will not find
    // it: a reply is proof enough that the request went out.
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
    // Every miss from the limit on is reported: the one that reached it may
    // have come while no one could act on it.
    const int limit = timeouts_.missedPingBeforeDisconnect;
    if (limit > 0 && missed >= limit && observer_ != nullptr) {
        observer_->OnMissedPingLimit(missed);
    }
}

void RequestEngine::WakeWaiters() {
    {
        std::lock_guard lock(pendingMutex_);
        for (PendingEntry& entry : pending_) {
            entry.request->abandoned.store(true);
            entry.request->sentEvent.Set();
            entry.request->replyEvent.Set();
        }
    }
    transport_.WakeReceivingCaller();
}

void RequestEngine::ResetMissedPings() {
    std::lock_guard lock(pingMutex_);
    missedPings_ = 0;
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
