#include "client/core/speech/media_module.h"

#include <QtGlobal>

#include "client/core/module_loader.h"
#include "client/media/media_entry.h"

namespace zol {

namespace {

constexpr const char* kModuleFile = "libzolmedia.so";

struct MediaEntries {
    ZolCreateSpeechVoiceFunction speechVoice = nullptr;
    ZolCreateSoundOutputFunction soundOutput = nullptr;
    std::string problem;
};

// Loaded once, by whichever thread needs it first.
const MediaEntries& Entries() {
    static const MediaEntries entries = [] {
#ifdef ZOL_MEDIA_BUILD_PATH
        const auto candidates = ModuleCandidates(kModuleFile, ZOL_MEDIA_BUILD_PATH);
#else
        const auto candidates = ModuleCandidates(kModuleFile, nullptr);
#endif
        MediaEntries found;
        void* module =
            FindModule(candidates, kModuleFile, kZolCreateSpeechVoiceSymbol, found.problem);
        found.speechVoice = reinterpret_cast<ZolCreateSpeechVoiceFunction>(
            ModuleSymbol(module, kZolCreateSpeechVoiceSymbol));
        found.soundOutput = reinterpret_cast<ZolCreateSoundOutputFunction>(
            ModuleSymbol(module, kZolCreateSoundOutputSymbol));
        if (module != nullptr && found.soundOutput == nullptr)
            found.problem = std::string(kModuleFile) + " has no " + kZolCreateSoundOutputSymbol;
        return found;
    }();
    return entries;
}

}  // namespace

std::unique_ptr<SpeechVoice> CreateMediaSpeechVoice(std::function<void()> stateChanged,
                                                    std::string& problem) {
    const MediaEntries& entries = Entries();
    if (entries.speechVoice == nullptr) {
        problem = entries.problem;
        return nullptr;
    }
    return std::unique_ptr<SpeechVoice>(entries.speechVoice(std::move(stateChanged)));
}

std::unique_ptr<SoundOutput> CreateMediaSoundOutput() {
    const MediaEntries& entries = Entries();
    if (entries.soundOutput == nullptr) {
        static const bool told = [&entries] {
            qWarning("Sounds cannot be played: %s", entries.problem.c_str());
            return true;
        }();
        (void)told;
        return nullptr;
    }
    return std::unique_ptr<SoundOutput>(entries.soundOutput());
}

}  // namespace zol
