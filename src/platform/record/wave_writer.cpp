#include "platform/record/wave_writer.hpp"

#include <algorithm>
#include <fstream>

namespace velmorant::platform {

namespace {

void PutLittle(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string WaveFileBytes(std::span<const int16_t> samples, const SoundFormat& format) {
  const auto channels = uint32_t(format.channels);
  const auto rate = uint32_t(format.rate);
  // A RIFF size field holds 32 bits: a longer track is cut where it would not fit.
  const uint64_t most = (UINT32_MAX - 36) / sizeof(int16_t);
  const auto count = uint32_t(std::min<uint64_t>(samples.size(), most));
  const uint32_t data_bytes = count * uint32_t(sizeof(int16_t));
  std::string out;
  out.reserve(44 + data_bytes);
  out += "RIFF";
  PutLittle(out, 36 + data_bytes, 4);
  out += "WAVEfmt ";
  PutLittle(out, 16, 4);
  PutLittle(out, 1, 2);  // PCM
  PutLittle(out, channels, 2);
  PutLittle(out, rate, 4);
  PutLittle(out, rate * channels * 2, 4);
  PutLittle(out, channels * 2, 2);
  PutLittle(out, 16, 2);
  out += "data";
  PutLittle(out, data_bytes, 4);
  for (uint32_t i = 0; i < count; ++i) PutLittle(out, uint16_t(samples[i]), 2);
  return out;
}

bool WriteWaveFile(const std::filesystem::path& path, std::span<const int16_t> samples,
                   const SoundFormat& format, std::string* error) {
  const std::string bytes = WaveFileBytes(samples, format);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  out.close();
  if (!out) {
    if (error) *error = "cannot write " + path.string();
    return false;
  }
  return true;
}

}  // namespace velmorant::platform
