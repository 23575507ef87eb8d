// RelayHostLookup: host-name lookups for the relay that a close need not wait
// for. A system lookup cannot be interrupted and may take many seconds with
// an unreachable name server, so each one runs on a thread of its own while
// the asking task waits for the answer or for Interrupt, whichever comes
// first. A lookup that nobody waits for any more ends on its own; its thread
// is joined by a later lookup or by the destructor, never detached.
//
// Thread-safety: every member from any thread; the resolver must be callable
// from several threads at once.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <thread>

namespace zol {

// IPv4 address (network byte order) of a host name or dotted address, or 0.
// Blocks for as long as the system's lookup takes.
std::uint32_t LookupIpv4(const std::string& host);

class RelayHostLookup {
  public:
    using Resolver = std::function<std::uint32_t(const std::string&)>;

    // Lookups left running by interrupted waits; more are refused (0) rather
    // than piling up threads against a name server that does not answer.
    static constexpr std::size_t kMaxRunningLookups = 4;

    explicit RelayHostLookup(Resolver resolver = LookupIpv4);
    // Waits for the lookups still running: their threads use this object.
    ~RelayHostLookup();
    RelayHostLookup(const RelayHostLookup&) = delete;
    RelayHostLookup& operator=(const RelayHostLookup&) = delete;

    // The address of `host` in network byte order; 0 when it has none, when
    // Interrupt came first, or while interrupted. A dotted address answers
    // at once without a thread.
    std::uint32_t Resolve(const std::string& host);

    // Ends every Resolve wait now and makes later ones return 0 at once,
    // until Resume.
    void Interrupt();
    void Resume();

  private:
    struct Lookup {
        std::thread thread;
        bool done = false;
        bool abandoned = false;  // its waiter was interrupted
        std::uint32_t address = 0;
    };

    // Caller holds mutex_: takes out the finished lookups whose waiters were
    // interrupted, so that their threads are joined after the lock is released.
    std::list<Lookup> TakeFinished();

    const Resolver resolver_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool interrupted_ = false;
    std::uint64_t interruptions_ = 0;  // ends the waits that began before it
    std::list<Lookup> running_;        // a list: each thread refers to its own element
};

}  // namespace zol
