#include "serverlink/relay_host_lookup.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

#include <cstring>
#include <system_error>

namespace zol {
namespace {

std::uint32_t DottedAddress(const std::string& host) {
    in_addr dotted{};
    return ::inet_pton(AF_INET, host.c_str(), &dotted) == 1 ? dotted.s_addr : 0;
}

}  // namespace

std::uint32_t LookupIpv4(const std::string& host) {
    if (host.empty())
        return 0;
    if (const std::uint32_t dotted = DottedAddress(host))
        return dotted;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
        return 0;
    std::uint32_t address = 0;
    for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
        if (entry->ai_family == AF_INET) {
            sockaddr_in ipv4{};
            std::memcpy(&ipv4, entry->ai_addr, sizeof ipv4);
            address = ipv4.sin_addr.s_addr;
            break;
        }
    }
    ::freeaddrinfo(found);
    return address;
}

RelayHostLookup::RelayHostLookup(Resolver resolver) : resolver_(std::move(resolver)) {}

RelayHostLookup::~RelayHostLookup() {
    std::list<Lookup> all;
    {
        std::lock_guard lock(mutex_);
        interrupted_ = true;
        ++interruptions_;
        // Splicing keeps each element where its thread writes.
        all.splice(all.end(), running_);
    }
    changed_.notify_all();
    for (Lookup& lookup : all) {
        if (lookup.thread.joinable())
            lookup.thread.join();
    }
}

std::list<RelayHostLookup::Lookup> RelayHostLookup::TakeFinished() {
    std::list<Lookup> finished;
    for (auto it = running_.begin(); it != running_.end();) {
        const auto next = std::next(it);
        if (it->done && it->abandoned)
            finished.splice(finished.end(), running_, it);
        it = next;
    }
    return finished;
}

std::uint32_t RelayHostLookup::Resolve(const std::string& host) {
    if (host.empty())
        return 0;
    if (const std::uint32_t dotted = DottedAddress(host))
        return dotted;

    std::list<Lookup> finished;
    std::uint32_t address = 0;
    {
        std::unique_lock lock(mutex_);
        finished = TakeFinished();
        if (!interrupted_ && running_.size() < kMaxRunningLookups) {
            const auto mine = running_.emplace(running_.end());
            try {
                mine->thread = std::thread([this, mine, host] {
                    const std::uint32_t found = resolver_(host);
                    std::lock_guard done(mutex_);
                    mine->address = found;
                    mine->done = true;
                    changed_.notify_all();
                });
            } catch (const std::system_error&) {
                mine->done = true;  // no thread to run it on: as if unresolvable
            }
            const std::uint64_t interruptions = interruptions_;
            changed_.wait(lock, [&] { return mine->done || interruptions_ != interruptions; });
            if (mine->done) {
                address = mine->address;
                finished.splice(finished.end(), running_, mine);
            } else {
                mine->abandoned = true;
            }
        }
    }
    for (Lookup& lookup : finished) {
        if (lookup.thread.joinable())
            lookup.thread.join();
    }
    return address;
}

void RelayHostLookup::Interrupt() {
    {
        std::lock_guard lock(mutex_);
        interrupted_ = true;
        ++interruptions_;
    }
    changed_.notify_all();
}

void RelayHostLookup::Resume() {
    std::lock_guard lock(mutex_);
    interrupted_ = false;
}

}  // namespace zol
