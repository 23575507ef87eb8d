// Where pushes hand over to speech and sound output, which live elsewhere:
// "TextToSpeech" becomes a SpeechPush for the speech queue, "PlaySound" the
// local path of a fetched sound file. Empty hooks drop what they are given.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "client/core/speech/speech_request.h"

namespace zol {

// One "TextToSpeech" push, fields 4 to 10: what the speech queue takes.
using SpeechPush = SpeechRequest;

struct PushHooks {
    std::function<void(const SpeechPush&)> speak;
    std::function<void(const std::filesystem::path&)> playSound;
};

}  // namespace zol
