// Writes wave files byte by byte, so that tests can make every header the player meets.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace velmorant::fixtures {

struct WaveHeader {
  uint16_t format_tag = 1;  // 1 PCM, 3 float, 6 A-law, 7 mu-law
  uint16_t channels = 1;
  uint32_t rate = 8000;
  uint16_t bits = 16;
};

inline void PutLe(std::string& out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

// A RIFF WAVE file with a plain format chunk and `data` as its sample bytes.
inline bool WriteWave(const std::filesystem::path& path, const WaveHeader& h,
                      const std::string& data) {
  std::string fmt;
  const uint16_t align = uint16_t(h.channels * ((h.bits + 7) / 8));
  PutLe(fmt, h.format_tag, 2);
  PutLe(fmt, h.channels, 2);
  PutLe(fmt, h.rate, 4);
  PutLe(fmt, uint64_t(h.rate) * align, 4);
  PutLe(fmt, align, 2);
  PutLe(fmt, h.bits, 2);
  std::string file = "RIFF";
  PutLe(file, 4 + 8 + fmt.size() + 8 + data.size(), 4);
  file += "WAVEfmt ";
  PutLe(file, fmt.size(), 4);
  file += fmt;
  file += "data";
  PutLe(file, data.size(), 4);
  file += data;
  std::ofstream out(path, std::ios::binary);
  out.write(file.data(), std::streamsize(file.size()));
  return bool(out);
}

// `frames` frames of a square wave of full amplitude, 16-bit PCM.
inline bool WriteSquareWave(const std::filesystem::path& path, uint32_t rate, uint32_t frames) {
  std::string data;
  for (uint32_t i = 0; i < frames; ++i) PutLe(data, (i / 20) % 2 ? 0x6000 : 0xA000, 2);
  return WriteWave(path, WaveHeader{1, 1, rate, 16}, data);
}

}  // namespace velmorant::fixtures
