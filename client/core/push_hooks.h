// Where pushes hand over to speech and sound output, which live elsewhere:
// "TextToSpeech" becomes a SpeechPush for the speech queue, "PlaySound" the
// local path of a fetched sound file. Empty hooks drop what they are given.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace zol {

// One "TextToSpeech" push, fields 4 to 10.
struct SpeechPush {
    std::int32_t command = 0;
    std::string text;
    std::string voiceFlag;  // empty: the current voice; otherwise voiceName
    std::string voiceName;
    std::int32_t rate = 0;
    std::int32_t volume = 0;
    std::int32_t priority = 0;

    bool operator==(const SpeechPush&) const = default;
};

struct PushHooks {
    std::function<void(const SpeechPush&)> speak;
    std::function<void(const std::filesystem::path&)> playSound;
};

}  // namespace zol
