#include "client/core/speech/sound_player.h"

#include <system_error>

#include "client/core/speech/media_module.h"

namespace zol {

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::Play(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    if (!tried_) {
        tried_ = true;
        output_ = CreateMediaSoundOutput();
    }
    return output_ != nullptr && output_->Play(path);
}

std::size_t SoundPlayer::Playing() {
    return output_ != nullptr ? output_->Playing() : 0;
}

}  // namespace zol
