// DeferredSpeechVoice: a speech voice that makes the real one on its first
// use. Making it loads the speech engine's module, its plugin and voices,
// which would cost every start; most panels never speak.
//
// Thread-safety: as SpeechVoice; the voice is made by whichever call needs
// it first, and Stop before that does nothing.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "client/core/speech/speech_voice.h"

namespace zol {

class DeferredSpeechVoice final : public SpeechVoice {
  public:
    // Makes the real voice; null with an empty problem when the platform
    // has no engine (silence), null with a problem when it failed.
    using Factory = std::function<std::unique_ptr<SpeechVoice>(std::function<void()> stateChanged,
                                                               std::string& problem)>;

    DeferredSpeechVoice(Factory make, std::function<void()> stateChanged);

    // True until the voice, once made, proved unable to speak.
    bool Usable() const override;
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

  private:
    // The real voice, made now if not yet; null when there is none.
    SpeechVoice* Voice();

    Factory make_;
    std::function<void()> stateChanged_;
    mutable std::mutex makeMutex_;
    bool tried_ = false;                  // under makeMutex_
    std::unique_ptr<SpeechVoice> owned_;  // under makeMutex_
    std::string problem_;                 // under makeMutex_
    std::atomic<SpeechVoice*> voice_{nullptr};
    std::atomic<bool> failed_{false};
};

}  // namespace zol
