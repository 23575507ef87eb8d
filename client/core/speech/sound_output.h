// SoundOutput: what plays sound files, as the sound player uses it; made by
// the media module.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <cstddef>
#include <filesystem>

namespace zol {

class SoundOutput {
  public:
    // Sounds playing at once at most; one more stops the oldest, so a burst
    // of pushes cannot pile up sounds.
    static constexpr std::size_t kMaxSounds = 8;

    virtual ~SoundOutput() = default;
    // Starts playing the file; false when there is no audio output.
    virtual bool Play(const std::filesystem::path& path) = 0;
    // Sounds not yet done.
    virtual std::size_t Playing() = 0;
};

}  // namespace zol
