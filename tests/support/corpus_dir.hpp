#pragma once

// The shared corpora of files written by other programs live outside the repository, so a clone
// alone has none: their tests are then skipped, saying where they looked. VELMORANT_CORPORA names
// the corpora folder instead of the one beside the source tree; VELMORANT_REQUIRE_CORPORA=1 (CI)
// turns a missing corpus into a failure, so that a moved folder cannot silently skip them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace velmorant::test {

// The folder of one kind of corpus ("bmp", "rtf", "wav", "avi"), whether or not it is there.
inline std::filesystem::path CorpusDir(const std::string& kind) {
  const char* given = std::getenv("VELMORANT_CORPORA");
  const std::filesystem::path root = given && *given ? given : VELMORANT_CORPORA_DIR;
  return root / kind;
}

inline bool CorporaRequired() {
  const char* required = std::getenv("VELMORANT_REQUIRE_CORPORA");
  return required && *required && std::string(required) != "0";
}

// Base of the tests of one corpus: each is skipped (or fails, when required) without it.
class CorpusTest : public ::testing::Test {
 protected:
  explicit CorpusTest(const std::string& kind) : dir_(CorpusDir(kind)) {}

  void SetUp() override {
    if (std::filesystem::is_directory(dir_)) return;
    const std::string why =
        "no corpus at " + dir_.string() + " (VELMORANT_CORPORA names the folder)";
    if (CorporaRequired()) GTEST_FAIL() << why;
    GTEST_SKIP() << why;
  }

  const std::filesystem::path& Dir() const { return dir_; }
  std::filesystem::path File(const std::string& name) const { return dir_ / name; }

 private:
  std::filesystem::path dir_;
};

}  // namespace velmorant::test
