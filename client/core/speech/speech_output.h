// SpeechOutput: what the program speaks. It owns the voice, the speech queue
// and the speech task; start-up starts it, the notification dispatcher
// queues "TextToSpeech" pushes with Queue, and exit stops it.
//
// Thread-safety: Start, Stop and Queue on the user-interface thread.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "client/core/speech/speech_queue.h"
#include "client/core/speech/speech_request.h"
#include "client/core/speech/speech_task.h"
#include "client/core/speech/speech_voice.h"

namespace zol {

class SpeechOutput {
  public:
    // Makes the voice; null when the platform has no speech engine.
    // stateChanged is to be called, from any thread, when speaking starts or
    // ends.
    using VoiceFactory =
        std::function<std::unique_ptr<SpeechVoice>(std::function<void()> stateChanged)>;
    // Writes a line to the program's log; called on the thread of Start/Stop.
    using Reporter = std::function<void(const std::string&)>;

    // Reported when the engine exists but cannot speak.
    static constexpr const char* kEngineFailedText = "Error to intiliaze COM";
    static constexpr const char* kStoppedLateText = "The speech task ended late";

    // The platform's speech engine.
    static VoiceFactory PlatformVoice();

    SpeechOutput(VoiceFactory makeVoice, Reporter report);
    ~SpeechOutput();
    SpeechOutput(const SpeechOutput&) = delete;
    SpeechOutput& operator=(const SpeechOutput&) = delete;

    // Makes the voice and starts the speech task. Without a usable voice
    // nothing is started and every entry is dropped as it comes.
    void Start(const SpeechTiming& timing);
    // Silences the voice, then ends and joins the speech task.
    void Stop();

    // Queues one entry for the speech task.
    void Queue(const SpeechRequest& request);

    bool HasVoice() const { return task_ != nullptr; }
    const SpeechQueue& Entries() const { return queue_; }

  private:
    const VoiceFactory makeVoice_;
    const Reporter report_;
    SpeechQueue queue_;
    std::unique_ptr<SpeechVoice> voice_;
    std::unique_ptr<SpeechTask> task_;
    // The task the voice's state changes wake; null outside its life.
    std::atomic<SpeechTask*> wakeTarget_{nullptr};
};

}  // namespace zol
