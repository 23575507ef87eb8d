// The functions the media module (libzolmedia.so) exports: the platform's
// speech engine and its sound output. They bring Qt's speech and multimedia
// libraries with some twenty more (audio codecs, the sound server's client,
// network security), which every start would otherwise load; the client
// loads the module when it first speaks or plays a sound.
#pragma once

#include <functional>

namespace zol {
class SoundOutput;
class SpeechVoice;
}  // namespace zol

// A new speech voice, or null when the platform has no engine; stateChanged
// is called from any thread when speaking starts or ends.
inline constexpr const char* kZolCreateSpeechVoiceSymbol = "ZolCreateSpeechVoice";
using ZolCreateSpeechVoiceFunction = zol::SpeechVoice* (*)(std::function<void()> stateChanged);
// A new sound output, owned by the caller (user-interface thread).
inline constexpr const char* kZolCreateSoundOutputSymbol = "ZolCreateSoundOutput";
using ZolCreateSoundOutputFunction = zol::SoundOutput* (*)();
