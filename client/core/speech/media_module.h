// The speech engine and the sound output, made by the media module, which
// is loaded the first time either is needed (see client/media/).
//
// Thread-safety: any thread may make a voice; sound outputs on the
// user-interface thread.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "client/core/speech/sound_output.h"
#include "client/core/speech/speech_voice.h"

namespace zol {

// The platform's voice; null when the platform has no speech engine (then
// `problem` stays empty) or when the module did not load (`problem` says why).
std::unique_ptr<SpeechVoice> CreateMediaSpeechVoice(std::function<void()> stateChanged,
                                                    std::string& problem);

// The platform's sound output; null when the module did not load, which the
// log tells once.
std::unique_ptr<SoundOutput> CreateMediaSoundOutput();

}  // namespace zol
