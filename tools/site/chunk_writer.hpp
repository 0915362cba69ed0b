#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/fs/output_file.hpp"

namespace velmorant::site {

// The script files a page opened from file:// loads the presentation's bytes from:
// `velmorantShowChunk(N, [["NAME", "BASE64"], ...]);`, files in order, each chunk holding at most
// `chunk_bytes` bytes (about 4/3 of that in base64). A file larger than what is left of a chunk
// goes on in the next one under the same name; every entry decodes on its own.
class ChunkWriter {
 public:
  static constexpr uint64_t kDefaultChunkBytes = uint64_t{3} << 20;  // 4 MiB of base64

  // Chunks go to `folder`/NNNN.js; their urls are "`url_prefix`NNNN.js".
  ChunkWriter(std::filesystem::path folder, std::string url_prefix,
              uint64_t chunk_bytes = kDefaultChunkBytes);

  // Each returns false once anything could not be written.
  bool BeginFile(const std::string& name);
  bool Append(const uint8_t* data, size_t size);
  bool EndFile();
  bool Finish();

  const std::vector<std::string>& Urls() const { return urls_; }

 private:
  bool WriteWhole(const uint8_t* data, size_t size);  // a multiple of 3 bytes
  bool WriteEncoded(const uint8_t* data, size_t size);
  bool OpenChunk();
  bool CloseChunk();
  bool OpenEntry();

  std::filesystem::path folder_;
  std::string url_prefix_;
  uint64_t chunk_bytes_;
  std::vector<std::string> urls_;
  std::optional<platform::OutputFile> chunk_;
  uint64_t used_ = 0;  // bytes in the open chunk
  bool chunk_has_entries_ = false;
  bool entry_open_ = false;
  std::string name_json_;
  uint8_t carry_[3] = {};
  size_t carried_ = 0;  // bytes waiting for a whole group of three
  bool ok_ = true;
};

}  // namespace velmorant::site
