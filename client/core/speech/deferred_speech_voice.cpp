#include "client/core/speech/deferred_speech_voice.h"

#include <QtGlobal>

#include <utility>

#include "client/core/speech/speech_output.h"

namespace zol {

DeferredSpeechVoice::DeferredSpeechVoice(Factory make, std::function<void()> stateChanged)
    : make_(std::move(make)), stateChanged_(std::move(stateChanged)) {}

SpeechVoice* DeferredSpeechVoice::Voice() {
    if (SpeechVoice* made = voice_.load())
        return made;
    std::lock_guard lock(makeMutex_);
    if (!tried_) {
        tried_ = true;
        owned_ = make_ ? make_(stateChanged_, problem_) : nullptr;
        if (owned_ == nullptr && !problem_.empty()) {
            // As an engine that cannot speak: told once, in the log only.
            failed_.store(true);
            qWarning("%s", SpeechOutput::kEngineFailedText);
            qWarning("%s", problem_.c_str());
        }
        voice_.store(owned_.get());
    }
    return voice_.load();
}

bool DeferredSpeechVoice::Usable() const {
    if (failed_.load())
        return false;
    SpeechVoice* made = voice_.load();
    return made == nullptr || made->Usable();
}

std::string DeferredSpeechVoice::Problem() const {
    if (SpeechVoice* made = voice_.load())
        return made->Problem();
    std::lock_guard lock(makeMutex_);
    return problem_;
}

std::string DeferredSpeechVoice::VoiceName() {
    SpeechVoice* voice = Voice();
    return voice != nullptr ? voice->VoiceName() : std::string();
}

bool DeferredSpeechVoice::SelectVoice(const std::string& name) {
    SpeechVoice* voice = Voice();
    return voice != nullptr && voice->SelectVoice(name);
}

int DeferredSpeechVoice::Volume() {
    SpeechVoice* voice = Voice();
    return voice != nullptr ? voice->Volume() : 0;
}

void DeferredSpeechVoice::SetVolume(int volume) {
    if (SpeechVoice* voice = Voice())
        voice->SetVolume(volume);
}

int DeferredSpeechVoice::Rate() {
    SpeechVoice* voice = Voice();
    return voice != nullptr ? voice->Rate() : 0;
}

void DeferredSpeechVoice::SetRate(int rate) {
    if (SpeechVoice* voice = Voice())
        voice->SetRate(rate);
}

void DeferredSpeechVoice::Speak(const std::string& text) {
    if (SpeechVoice* voice = Voice())
        voice->Speak(text);
}

void DeferredSpeechVoice::Stop() {
    // Nothing speaks before the voice is made.
    if (SpeechVoice* voice = voice_.load())
        voice->Stop();
}

bool DeferredSpeechVoice::IsSpeaking() {
    SpeechVoice* voice = Voice();
    return voice != nullptr && voice->IsSpeaking();
}

}  // namespace zol
