// QtSoundOutput: sound files played with Qt's sound effects. Each play has
// its own effect, so sounds may overlap; an effect goes away when it has
// played or failed, or at the latest a few seconds after its sound's end
// (counted when the sounds are counted).
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QObject>
#include <QPointer>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <vector>

#include "client/core/speech/sound_output.h"

class QSoundEffect;

namespace zol {

class QtSoundOutput final : public QObject, public SoundOutput {
  public:
    bool Play(const std::filesystem::path& path) override;
    std::size_t Playing() override;

  private:
    struct Sound {
        QPointer<QSoundEffect> effect;
        std::chrono::steady_clock::time_point endBy;
    };
    std::vector<Sound> effects_;
};

}  // namespace zol
