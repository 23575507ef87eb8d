// SpeechRequest: one "TextToSpeech" push as the notification dispatcher has
// decoded it, the input of SpeechOutput::Queue.
#pragma once

#include <cstdint>
#include <string>

namespace zol {

// What a speech entry asks for.
enum class SpeechCommand : std::int32_t {
    Speak = 0,
    Stop = 1,         // silence what is being spoken
    StopAndDrop = 2,  // silence it and drop every entry queued up to this one
};

struct SpeechRequest {
    std::int32_t command = 0;  // a SpeechCommand; other values only count as urgent
    std::string text;          // Windows-1252 bytes as received
    std::string voiceFlag;     // not empty: choose the voice named voiceName
    std::string voiceName;
    std::int32_t rate = 0;      // -10 to 10, applied only with a chosen voice
    std::int32_t volume = 100;  // 0 to 100, applied only with a chosen voice
    std::int32_t priority = 0;  // 2 most urgent, then 1, then any other value

    bool operator==(const SpeechRequest&) const = default;
};

}  // namespace zol
