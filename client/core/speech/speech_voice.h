// SpeechVoice: the speech engine as the speech task uses it. Volume and rate
// are in the server's units (0 to 100, -10 to 10); texts are Windows-1252
// bytes. Speak returns at once; IsSpeaking tells when the text is done.
//
// Thread-safety: an implementation takes calls from the speech task and
// Stop from any thread (exit silences the voice before it joins the task).
#pragma once

#include <string>

namespace zol {

class SpeechVoice {
  public:
    virtual ~SpeechVoice() = default;

    // False when the engine exists but cannot speak at all.
    virtual bool Usable() const = 0;
    // Why it cannot, for the log.
    virtual std::string Problem() const { return {}; }

    virtual std::string VoiceName() = 0;
    // Makes the voice of that name the current one; false when there is none.
    virtual bool SelectVoice(const std::string& name) = 0;
    virtual int Volume() = 0;
    virtual void SetVolume(int volume) = 0;
    virtual int Rate() = 0;
    virtual void SetRate(int rate) = 0;

    virtual void Speak(const std::string& text) = 0;
    // Silences the text being spoken, if any.
    virtual void Stop() = 0;
    virtual bool IsSpeaking() = 0;
};

}  // namespace zol
