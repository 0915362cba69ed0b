#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "platform/audio/sound_format.hpp"

namespace velmorant::platform {

// A PCM WAV file of 16-bit interleaved samples in `format`: a header of 44 bytes, then the
// samples, little-endian.
std::string WaveFileBytes(std::span<const int16_t> samples, const SoundFormat& format);
// False, with `error` saying why, when the file cannot be written.
bool WriteWaveFile(const std::filesystem::path& path, std::span<const int16_t> samples,
                   const SoundFormat& format, std::string* error);

}  // namespace velmorant::platform
