#include "client/launch/connect_prefetch.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <utility>

#include "client/model/load_limits.h"
#include "client/model/start_requests.h"
#include "serverlink/connect_handshake.h"

namespace zol {

namespace {

// A connection still coming up when the client asks is left behind: the
// client opens its own meanwhile. This bounds how long it may go on coming
// up (and so how long the program's end may wait for it).
constexpr std::int32_t kLongestOpenSeconds = 2;
// The client waits for the exchange while answers keep coming; a server
// that stops answering for this long is left to the client's own connect
// and its own time-outs, rather than waited for twice.
constexpr std::chrono::milliseconds kLongestSilence{2000};
constexpr std::chrono::milliseconds kSilenceCheck{100};

}  // namespace

ConnectPrefetch::ConnectPrefetch(const LinkTimeouts& timeouts, ServerTarget target,
                                 std::string password, GreetingNumbers version)
    : timeouts_(timeouts),
      target_(std::move(target)),
      password_(std::move(password)),
      version_(version),
      link_(timeouts_) {
    timeouts_.serverConnectTimeout =
        std::clamp(timeouts_.serverConnectTimeout, std::int32_t{1}, kLongestOpenSeconds);
    link_.RecordForHandOver(true);
    link_.SetReceiveOnCaller(true);
    thread_ = std::thread([this] { Run(); });
}

ConnectPrefetch::~ConnectPrefetch() {
    Decline();
    thread_.join();
}

void ConnectPrefetch::Decline() {
    {
        std::lock_guard lock(mutex_);
        declined_ = true;
        if (handed_)
            ::close(handed_->socket);
        handed_.reset();
        changed_.notify_all();
    }
    // A wait for a reply is cut short; the exchange then fails and ends.
    link_.Requests().WakeWaiters();
}

bool ConnectPrefetch::Declined() const {
    std::lock_guard lock(mutex_);
    return declined_;
}

void ConnectPrefetch::Run() {
    Exchange();
    std::lock_guard lock(mutex_);
    if (!declined_ && link_.IsConnected())
        handed_ = link_.HandOverConnection();
    link_.CloseServerConnection();
    ended_ = true;
    changed_.notify_all();
}

void ConnectPrefetch::Exchange() {
    ConnectHandshake handshake(link_, ClientProgram::Gui, version_);
    // A refused greeting or password goes to the client with the rest: it
    // meets the refusal on this connection instead of opening another.
    handshake.KeepConnectionOnFailure();
    if (Declined() || handshake.Open(target_) != 0)
        return;
    {
        std::lock_guard lock(mutex_);
        opened_ = true;
        lastAnswer_ = std::chrono::steady_clock::now();
    }
    if (Declined() || handshake.Greet() != 0)
        return;
    Answered();
    if (handshake.PasswordDemanded()) {
        // An empty password is asked of the person; a refused one again.
        std::int32_t refused = 0;
        if (password_.empty() || Declined() || handshake.SendPassword(password_, refused) != 0)
            return;
        Answered();
        if (refused != 0)
            return;
    }
    std::int32_t code = 0;
    if (!Ask(ReferenceDpiRequest(), code))
        return;
    for (int part = 0; part < kMaxDesignParts; ++part) {
        if (!Ask(DesignPartRequest(part), code))
            return;
        if (code != 0)
            break;  // the design is complete
    }
    if (!Ask(DesignTitleRequest(), code) || !Ask(CloudTokenRequest(), code))
        return;
    for (int part = 0; part < kMaxDisplayParts; ++part) {
        if (!Ask(DisplayPartRequest(part), code) || code != 0)
            return;  // failed, or the list is complete
    }
}

bool ConnectPrefetch::Ask(const std::string& message, std::int32_t& resultCode) {
    if (Declined())
        return false;
    std::string reply;
    if (link_.SendRequest(message, resultCode, reply) != 0) {
        link_.CloseServerConnection();  // nothing half-done is handed over
        return false;
    }
    Answered();
    return true;
}

void ConnectPrefetch::Answered() {
    std::lock_guard lock(mutex_);
    ++exchanged_;
    lastAnswer_ = std::chrono::steady_clock::now();
}

std::optional<HandedOverConnection> ConnectPrefetch::Take(const ServerTarget& target,
                                                          std::string_view password) {
    const bool same = target.address == target_.address && target.port == target_.port &&
                      !target.useRelay && password == password_;
    {
        std::unique_lock lock(mutex_);
        // The rest of the exchange goes faster here than in the client,
        // which decodes each reply before it asks the next.
        while (same && opened_ && !declined_) {
            if (ended_)
                return std::exchange(handed_, std::nullopt);
            if (std::chrono::steady_clock::now() - lastAnswer_ > kLongestSilence)
                break;
            changed_.wait_for(lock, kSilenceCheck);
        }
    }
    Decline();
    return std::nullopt;
}

int ConnectPrefetch::Exchanged() const {
    std::lock_guard lock(mutex_);
    return exchanged_;
}

bool ConnectPrefetch::Opened() const {
    std::lock_guard lock(mutex_);
    return opened_;
}

}  // namespace zol
