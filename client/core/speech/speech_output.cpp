#include "client/core/speech/speech_output.h"

#include <utility>

#include "client/core/speech/deferred_speech_voice.h"
#include "client/core/speech/media_module.h"

namespace zol {

SpeechOutput::VoiceFactory SpeechOutput::PlatformVoice() {
    return [](std::function<void()> stateChanged) -> std::unique_ptr<SpeechVoice> {
        return std::make_unique<DeferredSpeechVoice>(CreateMediaSpeechVoice,
                                                     std::move(stateChanged));
    };
}

SpeechOutput::SpeechOutput(VoiceFactory makeVoice, Reporter report)
    : makeVoice_(std::move(makeVoice)), report_(std::move(report)) {}

SpeechOutput::~SpeechOutput() {
    Stop();
}

void SpeechOutput::Start(const SpeechTiming& timing) {
    if (task_ || !makeVoice_)
        return;
    voice_ = makeVoice_([this] {
        if (SpeechTask* task = wakeTarget_.load())
            task->Wake();
    });
    if (!voice_)
        return;  // no engine on this platform: silence, no message
    if (!voice_->Usable()) {
        // Told here, on the caller's thread, and only in the log: a message
        // box from a worker thread is not allowed, and one at start-up for
        // a missing sound device would be out of proportion.
        if (report_) {
            report_(kEngineFailedText);
            if (const std::string why = voice_->Problem(); !why.empty())
                report_(why);
        }
        voice_.reset();
        return;
    }
    task_ = std::make_unique<SpeechTask>(queue_, *voice_, timing);
    wakeTarget_.store(task_.get());
    task_->Start();
}

void SpeechOutput::Stop() {
    if (!task_)
        return;
    task_->RequestStop();
    voice_->Stop();
    if (!task_->Join() && report_)
        report_(kStoppedLateText);
    wakeTarget_.store(nullptr);
    voice_.reset();  // ends the voice's own thread
    task_.reset();
}

void SpeechOutput::Queue(const SpeechRequest& request) {
    // With no voice nothing would ever take entries out again.
    if (!task_)
        return;
    queue_.Push(request);
    task_->Wake();
}

}  // namespace zol
