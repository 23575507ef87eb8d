// QtSpeechVoice: the platform's speech engine (QTextToSpeech) as a
// SpeechVoice. The engine lives in a thread of its own with an event loop,
// so its state changes arrive as signals while the speech task waits; every
// call is carried to that thread and waited for at most kCallLimit. The
// engine is made by the first call, not at start: loading its plugin and
// voices takes long, and most panels never speak.
//
// Thread-safety: any thread may call the members; destruction only after
// the last caller has stopped.
#pragma once

#include <QTextToSpeech>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>

#include "client/core/speech/speech_voice.h"

class QEventLoop;
class QThread;

namespace zol {

class QtSpeechVoice final : public SpeechVoice {
  public:
    static constexpr std::chrono::seconds kCallLimit{5};
    // A text whose engine never reports that it started is taken as done
    // after this long, so a silent engine cannot hold the queue.
    static constexpr std::chrono::seconds kStartLimit{5};
    // The pause between a stopped or failed text and the next one.
    static constexpr std::chrono::milliseconds kAfterErrorPause{250};
    // How long a silenced engine may close its audio stream at the end.
    static constexpr std::chrono::milliseconds kSettleBeforeEnd{200};

    // The default engine, or null when the platform has none. stateChanged
    // is called on the engine's thread whenever speaking starts or ends.
    // Returns once the engine's thread runs.
    static std::unique_ptr<QtSpeechVoice> Create(std::function<void()> stateChanged);

    ~QtSpeechVoice() override;
    QtSpeechVoice(const QtSpeechVoice&) = delete;
    QtSpeechVoice& operator=(const QtSpeechVoice&) = delete;

    // True until the engine, once made, proved unable to speak.
    bool Usable() const override { return usable_.load(); }
    std::string Problem() const override;

    std::string VoiceName() override;
    bool SelectVoice(const std::string& name) override;
    int Volume() override;
    void SetVolume(int volume) override;
    int Rate() override;
    void SetRate(int rate) override;
    void Speak(const std::string& text) override;
    void Stop() override;
    bool IsSpeaking() override;

    // Texts the engine reported spoken to their end, and speaking failures.
    int TextsSpoken() const { return textsSpoken_.load(); }
    // Makes the engine now, if not yet; false when it cannot speak.
    bool MakeEngine();
    int Failures() const { return failures_.load(); }

  private:
    enum class Phase { Idle, Started, Speaking };

    explicit QtSpeechVoice(std::function<void()> stateChanged);
    void RunLoop(const std::shared_ptr<std::promise<void>>& running);
    // The engine, made on first use; null when it cannot speak. thread_ only.
    QTextToSpeech* EngineOnThread();
    // Ends a text that was waiting to start when the engine failed to load.
    void EndWithoutEngine();
    void OnState(QTextToSpeech::State state);
    // Runs work on the engine's thread and returns its result, or fallback
    // when the engine did not answer in time.
    template <typename R>
    R Call(std::function<R(QTextToSpeech&)> work, R fallback);
    void Post(std::function<void(QTextToSpeech&)> work);

    const std::function<void()> stateChanged_;
    std::unique_ptr<QThread> thread_;
    QObject* context_ = nullptr;             // lives on thread_ while its loop runs; calls go to it
    QEventLoop* loop_ = nullptr;             // thread_'s loop, used on thread_ only
    std::unique_ptr<QTextToSpeech> engine_;  // thread_ only
    bool triedOnThread_ = false;             // thread_ only
    std::atomic<bool> engineTried_{false};   // set once the first try ended
    std::atomic<bool> usable_{true};
    std::string problem_;  // written by thread_ before it reports

    std::atomic<int> textsSpoken_{0};
    std::atomic<int> failures_{0};
    std::atomic<std::uint64_t> sayGeneration_{0};       // a newer text or a stop cancels a held one
    std::chrono::steady_clock::time_point quietSince_;  // last stop or failure; thread_ only
    mutable std::mutex phaseMutex_;
    Phase phase_ = Phase::Idle;
    std::chrono::steady_clock::time_point startedAt_;
};

}  // namespace zol
