#include "client/media/qt_sound_output.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>

namespace zol {

bool QtSoundOutput::Play(const std::filesystem::path& path) {
    // With no output an effect would wait for one for ever.
    if (QMediaDevices::defaultAudioOutput().isNull())
        return false;
    if (Playing() >= kMaxSounds) {
        effects_.front()->stop();
        effects_.front()->deleteLater();
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
    effects_.emplace_back(effect);
    return true;
}

std::size_t QtSoundOutput::Playing() {
    std::erase_if(effects_, [](const QPointer<QSoundEffect>& effect) { return effect.isNull(); });
    return effects_.size();
}

}  // namespace zol
