// SoundPlayer: plays sound files ("PlaySound" pushes) asynchronously through
// the platform's sound output, made by the first play. Sounds may overlap,
// at most SoundOutput::kMaxSounds at once. Failures are silent.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>

#include "client/core/speech/sound_output.h"

namespace zol {

class SoundPlayer {
  public:
    static constexpr std::size_t kMaxSounds = SoundOutput::kMaxSounds;

    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Starts playing the file; false when there is no such file or no
    // audio output to play it to.
    bool Play(const std::filesystem::path& path);

    // Sounds not yet done.
    std::size_t Playing();

  private:
    bool tried_ = false;
    std::unique_ptr<SoundOutput> output_;
};

}  // namespace zol
