#include "platform/gfx/file_bytes.hpp"

#include <fstream>
#include <string>
#include <system_error>

namespace velmorant::platform {

DecodeResult<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path,
                                                 uint64_t max_bytes) {
  const std::string name = path.string();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    return DecodeError{name + ": not a readable file"};
  }
  const uint64_t size = std::filesystem::file_size(path, ec);
  if (ec) return DecodeError{name + ": " + ec.message()};
  if (size > max_bytes) return DecodeError{name + ": file too large"};
  std::ifstream in(path, std::ios::binary);
  if (!in) return DecodeError{name + ": cannot open"};
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size));
  // A file that shrank since its size was taken keeps what was read; one that grew is cut.
  bytes.resize(size_t(in.gcount()));
  if (in.bad()) return DecodeError{name + ": read error"};
  return bytes;
}

}  // namespace velmorant::platform
