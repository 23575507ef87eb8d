// The one call the model makes to the server: send a request, wait for its
// reply. The client passes its ServerLink; tests pass scripted replies.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "serverlink/server_link.h"

namespace zol {

class RequestChannel {
  public:
    virtual ~RequestChannel() = default;
    // As ServerLink::SendRequest: 0, 1 (no reply in time), 2 (not sent) or
    // -1 (reply not decodable); `reply` is the whole reply frame.
    virtual int SendRequest(std::string_view message, std::int32_t& resultCode,
                            std::string& reply) = 0;
    // As ServerLink::SendRequests: all sent before the replies are waited
    // for, each entry ending as SendRequest would leave it, and handed to
    // `onReply` as it ends. Channels that cannot overlap requests send them
    // one by one.
    virtual void SendRequests(std::span<BatchedRequest> batch, const BatchReplyHandler& onReply) {
        bool handing = true;
        for (std::size_t i = 0; i < batch.size(); ++i) {
            batch[i].error = SendRequest(batch[i].message, batch[i].resultCode, batch[i].reply);
            handing = handing && onReply(i);
        }
    }
};

class ServerLinkChannel : public RequestChannel {
  public:
    explicit ServerLinkChannel(ServerLink& link) : link_(link) {}
    int SendRequest(std::string_view message, std::int32_t& resultCode,
                    std::string& reply) override {
        return link_.SendRequest(message, resultCode, reply);
    }
    void SendRequests(std::span<BatchedRequest> batch, const BatchReplyHandler& onReply) override {
        link_.SendRequests(batch, onReply);
    }

  private:
    ServerLink& link_;
};

}  // namespace zol
