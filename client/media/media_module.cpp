// The media module's entry points (see media_entry.h).
#include <QtGlobal>

#include "client/media/media_entry.h"
#include "client/media/qt_sound_output.h"
#include "client/media/qt_speech_voice.h"

extern "C" Q_DECL_EXPORT zol::SpeechVoice* ZolCreateSpeechVoice(
    std::function<void()> stateChanged) {
    return zol::QtSpeechVoice::Create(std::move(stateChanged)).release();
}

extern "C" Q_DECL_EXPORT zol::SoundOutput* ZolCreateSoundOutput() {
    return new zol::QtSoundOutput;
}
