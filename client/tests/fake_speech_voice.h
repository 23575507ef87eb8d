// A SpeechVoice for tests: it logs every call ("speak:Hello", "stop",
// "voice:kal", "volume:50", "rate:-5"), knows the voices it is given, and
// keeps "speaking" a text until the test calls Finish (or at once with
// finishAtOnce).
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "client/core/speech/speech_voice.h"

namespace zol::testing {

class FakeSpeechVoice : public SpeechVoice {
  private:  // helpers first: the members below deduce their types
    template <typename F>
    auto Locked(F&& f) const {
        std::lock_guard lock(mutex_);
        return f();
    }
    template <typename F>
    void Record(std::string call, F&& change) {
        {
            std::lock_guard lock(mutex_);
            change();
            log_.push_back(std::move(call));
        }
        changed_.notify_all();
    }

  public:
    using Log = std::vector<std::string>;

    explicit FakeSpeechVoice(std::function<void()> stateChanged = {})
        : stateChanged_(std::move(stateChanged)) {}

    // Set before the voice is used.
    bool usable = true;
    bool finishAtOnce = false;
    std::vector<std::string> voices{"slt", "kal"};
    std::function<void()> onStop;  // runs inside Stop, before it logs

    bool Usable() const override { return usable; }
    std::string VoiceName() override {
        return Locked([&] { return voice_; });
    }
    bool SelectVoice(const std::string& name) override {
        if (std::find(voices.begin(), voices.end(), name) == voices.end())
            return false;
        Record("voice:" + name, [&] { voice_ = name; });
        return true;
    }
    int Volume() override {
        return Locked([&] { return volume_; });
    }
    void SetVolume(int volume) override {
        Record("volume:" + std::to_string(volume), [&] { volume_ = volume; });
    }
    int Rate() override {
        return Locked([&] { return rate_; });
    }
    void SetRate(int rate) override {
        Record("rate:" + std::to_string(rate), [&] { rate_ = rate; });
    }
    void Speak(const std::string& text) override {
        Record("speak:" + text, [&] { speaking_ = !finishAtOnce; });
    }
    void Stop() override {
        if (onStop)
            onStop();
        Record("stop", [&] { speaking_ = false; });
    }
    bool IsSpeaking() override {
        return Locked([&] {
            ++polls_;
            return speaking_;
        });
    }

    // Ends the text being spoken, as the engine would.
    void Finish() {
        Locked([&] { speaking_ = false; });
        if (stateChanged_)
            stateChanged_();
    }
    Log Calls() const {
        return Locked([&] { return log_; });
    }
    long Polls() const {
        return Locked([&] { return polls_; });
    }
    // Waits (generously) until the log satisfies done; false on time-out.
    bool WaitFor(const std::function<bool(const Log&)>& done) const {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(20), [&] { return done(log_); });
    }
    // Waits until the log has this call count times.
    bool WaitForCall(const std::string& call, long count = 1) const {
        return WaitFor(
            [&](const Log& log) { return std::count(log.begin(), log.end(), call) >= count; });
    }

  private:
    const std::function<void()> stateChanged_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    Log log_;
    std::string voice_ = "slt";
    int volume_ = 100;
    int rate_ = 0;
    bool speaking_ = false;
    long polls_ = 0;
};

}  // namespace zol::testing
