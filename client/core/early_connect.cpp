#include "client/core/early_connect.h"

#include <QCoreApplication>

#include <chrono>
#include <utility>

#include "client/core/zol_client_app.h"
#include "serverlink/server_link.h"

namespace zol {

// The sequence's questions to the person, asked on the user-interface
// thread once joined; cancelled, a question gets the answer of a closed box.
class EarlyConnect::RelayedUser final : public UserReporter, public HintAlertReporter {
  public:
    explicit RelayedUser(EarlyConnect& owner) : owner_(owner) {}

    void ShowMessage(std::string_view text) override {
        owner_.Ask([&text](Handlers& h) { h.reporter.ShowMessage(text); });
    }
    int ShowAlert(AlertKind kind, std::string_view text) override {
        int answer = kAlertAnswerOk;
        owner_.Ask([&](Handlers& h) { answer = h.reporter.ShowAlert(kind, text); });
        return answer;
    }
    void BeginWaitCursor() override {
        owner_.Tell([](Handlers& h) { h.reporter.BeginWaitCursor(); });
    }
    void EndWaitCursor() override {
        owner_.Tell([](Handlers& h) { h.reporter.EndWaitCursor(); });
    }
    int ShowAlertWithHint(AlertKind kind, std::string_view text, std::string_view hintLabel,
                          bool& hintChecked) override {
        int answer = kAlertAnswerOk;
        owner_.Ask([&](Handlers& h) {
            answer = h.hints.ShowAlertWithHint(kind, text, hintLabel, hintChecked);
        });
        return answer;
    }

  private:
    EarlyConnect& owner_;
};

// Stage reports wait for the connect window; the sequence goes on meanwhile.
class EarlyConnect::RelayedProgress final : public ConnectProgress {
  public:
    explicit RelayedProgress(EarlyConnect& owner) : owner_(owner) {}

    void ReportStage(int stage, StageState state) override {
        owner_.Tell([stage, state](Handlers& h) { h.progress.ReportStage(stage, state); });
    }
    void ReportText(int line, const std::string& text) override {
        owner_.Tell([line, text](Handlers& h) { h.progress.ReportText(line, text); });
    }

  private:
    EarlyConnect& owner_;
};

EarlyConnect::EarlyConnect(CZOLClientApp& app)
    : app_(app),
      plan_(PlanConnect(app)),
      user_(std::make_unique<RelayedUser>(*this)),
      progress_(std::make_unique<RelayedProgress>(*this)) {
    result_.password = plan_.connection.password;
    result_.cloudToken = app.Settings().agentToken;
    // Everything the sequence reads of the application is read here, on
    // this thread.
    ConnectSequenceContext c{app.Link(), app.Channel(), *user_,       *user_,
                             *progress_, design_,       app.Version()};
    FillConnectContext(app, c);
    c.promptPassword = [this](std::string& entered) {
        bool accepted = false;
        Ask([&](Handlers& h) { accepted = h.promptPassword && h.promptPassword(entered); });
        return accepted;
    };
    sequence_ = std::make_unique<ConnectSequence>(std::move(c));
    PrepareForOpen(app, plan_.viaRelay);
    thread_ = std::thread([this] { RunSequence(); });
}

EarlyConnect::~EarlyConnect() {
    if (!thread_.joinable())
        return;  // joined
    // A wait for the launcher's connection is cut short too.
    if (StartConnectionSource* started = app_.BegunConnection())
        started->Decline();
    std::unique_lock lock(mutex_);
    cancelled_ = true;
    items_.clear();
    ran_.notify_all();
    // A wait for a reply is cut short; the sequence then fails and ends.
    while (!finished_) {
        lock.unlock();
        app_.Link().Requests().WakeWaiters();
        lock.lock();
        ran_.wait_for(lock, std::chrono::milliseconds(50));
    }
    lock.unlock();
    thread_.join();
}

void EarlyConnect::RunSequence() {
    // The launcher's connection goes on where it stopped, when it went
    // where this connect goes.
    if (StartConnectionSource* started = app_.BegunConnection()) {
        std::optional<HandedOverConnection> handed;
        if (plan_.target)
            handed = started->Take(*plan_.target, result_.password);
        else
            started->Decline();
        if (handed)
            app_.Link().OfferConnection(std::move(*handed));
    }
    result_.outcome = sequence_->Run(plan_.target, plan_.connection.hostName, result_.password,
                                     result_.cloudToken);
    std::lock_guard lock(mutex_);
    finished_ = true;
    ran_.notify_all();
    if (joining_)
        WakeUserInterface();
}

void EarlyConnect::Ask(Call call) {
    auto item = std::make_shared<Item>();
    item->call = std::move(call);
    std::unique_lock lock(mutex_);
    if (cancelled_)
        return;
    items_.push_back(item);
    if (joining_)
        WakeUserInterface();
    ran_.wait(lock, [&] { return item->ran || cancelled_; });
}

void EarlyConnect::Tell(Call call) {
    auto item = std::make_shared<Item>();
    item->call = std::move(call);
    std::lock_guard lock(mutex_);
    if (cancelled_)
        return;
    items_.push_back(std::move(item));
    if (joining_)
        WakeUserInterface();
}

void EarlyConnect::WakeUserInterface() {
    if (QCoreApplication* qt = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            qt, [] {}, Qt::QueuedConnection);
}

EarlyConnect::Result EarlyConnect::Join(Handlers& handlers, Design& design) {
    std::unique_lock lock(mutex_);
    joining_ = true;
    for (;;) {
        if (!items_.empty()) {
            std::shared_ptr<Item> item = std::move(items_.front());
            items_.pop_front();
            lock.unlock();
            item->call(handlers);
            lock.lock();
            item->ran = true;
            ran_.notify_all();
            continue;
        }
        if (finished_)
            break;
        lock.unlock();
        if (handlers.whileWaiting) {
            std::exchange(handlers.whileWaiting, nullptr)();
            lock.lock();
            continue;
        }
        // Woken by the sequence's next item or its end.
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        lock.lock();
    }
    lock.unlock();
    thread_.join();
    design = std::move(design_);
    return std::move(result_);
}

}  // namespace zol
