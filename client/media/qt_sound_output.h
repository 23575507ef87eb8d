// QtSoundOutput: sound files played with Qt's sound effects. Each play has
// its own effect, so sounds may overlap; an effect goes away when it has
// played or failed, or at the latest a few seconds after its sound's end.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QObject>
#include <QPointer>

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
    std::vector<QPointer<QSoundEffect>> effects_;
};

}  // namespace zol
