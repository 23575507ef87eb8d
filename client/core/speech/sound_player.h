// SoundPlayer: plays sound files ("PlaySound" pushes) asynchronously. Each
// play has its own effect, so sounds may overlap; an effect goes away when
// it has played or failed. Failures are silent.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QObject>
#include <QPointer>

#include <cstddef>
#include <filesystem>
#include <vector>

class QSoundEffect;

namespace zol {

class SoundPlayer : public QObject {
  public:
    // Sounds playing at once at most; one more stops the oldest, so a burst
    // of pushes cannot pile up effects.
    static constexpr std::size_t kMaxSounds = 8;

    explicit SoundPlayer(QObject* parent = nullptr);

    // Starts playing the file; false when there is no such file or no
    // audio output to play it to.
    bool Play(const std::filesystem::path& path);

    // Effects not yet done.
    std::size_t Playing();

  private:
    std::vector<QPointer<QSoundEffect>> effects_;
};

}  // namespace zol
