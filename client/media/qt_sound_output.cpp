#include "client/media/qt_sound_output.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>
#include <fstream>
#include <string>

#include "client/media/wave_duration.h"

namespace zol {

namespace {

// An effect still "playing" this long after its sound should have ended
// never reports its end (the sound server lost its stream): it is ended
// when the sounds are next counted, so that it holds no place among them. A file whose length is
// not known gets the longest.
constexpr std::chrono::milliseconds kLateEnd{5000};
constexpr std::chrono::milliseconds kLongestSound{10 * 60 * 1000};
constexpr std::size_t kWaveHeadBytes = 4096;

std::chrono::milliseconds EndAtTheLatest(const std::filesystem::path& path) {
    std::string head(kWaveHeadBytes, '\0');
    std::ifstream file(path, std::ios::binary);
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, file.gcount())));
    const std::chrono::milliseconds length = WaveDuration(head).value_or(kLongestSound);
    return std::min(length, kLongestSound) + kLateEnd;
}

}  // namespace

bool QtSoundOutput::Play(const std::filesystem::path& path) {
    // With no output an effect would wait for one for ever.
    if (QMediaDevices::defaultAudioOutput().isNull())
        return false;
    if (Playing() >= kMaxSounds) {
        delete effects_.front().effect;
        effects_.erase(effects_.begin());
    }
    auto* effect = new QSoundEffect(this);
    connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Error)
            effect->deleteLater();
    });
    connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying())
            effect->deleteLater();
    });
    effect->setSource(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
    effect->play();
    effects_.push_back({effect, std::chrono::steady_clock::now() + EndAtTheLatest(path)});
    return true;
}

std::size_t QtSoundOutput::Playing() {
    const auto now = std::chrono::steady_clock::now();
    std::erase_if(effects_, [now](const Sound& sound) {
        if (sound.effect.isNull())
            return true;
        if (now < sound.endBy)
            return false;
        delete sound.effect;  // its end never came
        return true;
    });
    return effects_.size();
}

}  // namespace zol
