#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace velmorant::platform {

// A file written by the player, created or emptied, that no started program inherits.
class OutputFile {
 public:
  // Nothing when the file cannot be created.
  static std::optional<OutputFile> Create(const std::filesystem::path& path);

  // False once anything could not be written.
  bool Write(std::string_view bytes);
  bool Flush();
  // Writes what is buffered and closes; false when anything was lost.
  bool Close();

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  explicit OutputFile(std::FILE* file) : file_(file) {}

  std::unique_ptr<std::FILE, Closer> file_;
  bool ok_ = true;
};

}  // namespace velmorant::platform
