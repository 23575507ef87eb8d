// EarlyConnect: the first connect of a run, started by start-up on a thread
// of its own while the main window is still being made, so that the
// server's replies arrive while Qt and the frame start instead of after.
// The main frame's first connect joins it: the connect window then shows
// the stages already done and those that follow, and whatever the sequence
// asks of the person (the password, a message) is asked on the
// user-interface thread at that point, in order. The sequence loads into a
// design of its own, which the join hands over.
//
// Thread-safety: construct, Join and destroy on the user-interface thread.
// Until the join, the sequence's thread is the link's controlling thread.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "client/core/connect_context.h"
#include "client/core/connect_progress.h"
#include "client/model/design.h"
#include "client/model/hint_alert.h"
#include "client/model/user_reporter.h"

namespace zol {

class CZOLClientApp;

class EarlyConnect {
  public:
    // Where the sequence's reports and questions go once it is joined.
    struct Handlers {
        ConnectProgress& progress;
        UserReporter& reporter;
        HintAlertReporter& hints;
        std::function<bool(std::string& password)> promptPassword;
        // Work for the wait, done once when the join first finds nothing to
        // do while the sequence still runs.
        std::function<void()> whileWaiting = {};
    };

    struct Result {
        ConnectOutcome outcome;
        std::string password;  // accepted, or emptied when refused
        std::string cloudToken;
    };

    // Plans the connect and starts its sequence; the application must have
    // its settings, connection and themes.
    explicit EarlyConnect(CZOLClientApp& app);
    // Without a join: what the sequence still asks is answered "cancel", its
    // waits are cut short, and the thread is joined.
    ~EarlyConnect();
    EarlyConnect(const EarlyConnect&) = delete;
    EarlyConnect& operator=(const EarlyConnect&) = delete;

    const ConnectPlan& Plan() const { return plan_; }

    // Carries out the sequence's reports and questions with `handlers`,
    // letting the event loop run, until the sequence has ended; then gives
    // its design to `design`. Once only.
    Result Join(Handlers& handlers, Design& design);

  private:
    using Call = std::function<void(Handlers&)>;
    class RelayedUser;
    class RelayedProgress;

    struct Item {
        Call call;
        bool ran = false;
    };

    void RunSequence();
    // Queues a call for the user-interface thread; Ask waits until it ran
    // (or the run was cancelled), Tell does not.
    void Ask(Call call);
    void Tell(Call call);
    void WakeUserInterface();

    CZOLClientApp& app_;
    const ConnectPlan plan_;
    Design design_;
    Result result_;
    std::unique_ptr<RelayedUser> user_;
    std::unique_ptr<RelayedProgress> progress_;
    std::unique_ptr<ConnectSequence> sequence_;

    std::mutex mutex_;
    std::condition_variable ran_;
    std::deque<std::shared_ptr<Item>> items_;
    bool joining_ = false;
    bool cancelled_ = false;
    bool finished_ = false;

    std::thread thread_;
};

}  // namespace zol
