#pragma once

// A presentation folder, a stand-in for the built web player and a place for the site, and ways
// to read back what a published site holds.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "site/publish_site.hpp"
#include "support/test_files.hpp"

namespace velmorant::site {

inline std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline std::vector<uint8_t> DecodeBase64(const std::string& text) {
  auto value = [](char c) -> int {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
  };
  EXPECT_EQ(text.size() % 4, 0u) << "base64 of a length not a multiple of four";
  std::vector<uint8_t> out;
  for (size_t i = 0; i + 4 <= text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    uint32_t v = 0;
    int pad = 0;
    for (size_t k = 0; k < 4; ++k) {
      const char c = text[i + k];
      if (c == '=' && last && k >= 2) {
        ++pad;
        v <<= 6;
        continue;
      }
      EXPECT_GE(value(c), 0) << "not base64 at " << i + k;
      EXPECT_EQ(pad, 0) << "padding inside the text";
      v = v << 6 | uint32_t(value(c) & 63);
    }
    out.push_back(uint8_t(v >> 16));
    if (pad < 2) out.push_back(uint8_t(v >> 8));
    if (pad < 1) out.push_back(uint8_t(v));
  }
  return out;
}

// The JSON a script line `CALL(ARGUMENTS);` passes, as a JSON array of its arguments.
inline nlohmann::json ScriptArguments(const std::string& text, const std::string& call) {
  const std::string head = call + "(", tail = ");\n";
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_GE(text.size(), head.size() + tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  EXPECT_EQ(text.find('\n'), text.size() - 1) << "more than one line";
  const std::string inner = text.substr(head.size(), text.size() - head.size() - tail.size());
  return nlohmann::json::parse("[" + inner + "]");
}

class SiteFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = testing::FreshTestFolder("velmorant-site-");
    show_ = root_ / "presentation";
    player_ = root_ / "player";
    site_ = root_ / "site";
    testing::WriteBytes(show_ / "info.med", Bytes("definition"));
    testing::WriteBytes(player_ / "index.html", Bytes("<canvas id=velmorant-screen>"));
    testing::WriteBytes(player_ / "velmorant-page.js", Bytes("// page"));
    testing::WriteBytes(player_ / "licences" / "font.txt", Bytes("licence"));
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  PublishResult Publish(uint64_t chunk_bytes = 0) {
    PublishRequest request;
    request.presentation = show_;
    request.output = site_;
    request.player = player_;
    request.limits = limits_;
    request.chunk_bytes = chunk_bytes;
    return PublishSite(request, *platform::CodePage::Open(1250));
  }
  nlohmann::json Manifest() { return nlohmann::json::parse(ReadText(site_ / "show.json")); }

  // Each file's bytes as the chunks named by show.js carry them.
  std::map<std::string, std::vector<uint8_t>> ChunkedBytes(uint64_t chunk_bytes) {
    const nlohmann::json show = ScriptArguments(ReadText(site_ / "show.js"), "velmorantShow")[0];
    std::map<std::string, std::vector<uint8_t>> files;
    for (size_t n = 0; n < show["chunks"].size(); ++n) {
      const std::string url = show["chunks"][n];
      const nlohmann::json args = ScriptArguments(ReadText(site_ / url), "velmorantShowChunk");
      EXPECT_EQ(args[0], n) << url;
      uint64_t carried = 0;
      for (const auto& entry : args[1]) {
        const std::vector<uint8_t> part = DecodeBase64(entry[1]);
        carried += part.size();
        auto& bytes = files[entry[0].get<std::string>()];
        bytes.insert(bytes.end(), part.begin(), part.end());
      }
      EXPECT_LE(carried, chunk_bytes + 2) << url;
    }
    return files;
  }

  std::vector<std::string> LeftBeside() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root_)) {
      const std::string name = entry.path().filename().string();
      if (name.find(".tmp-") != std::string::npos || name.find(".old-") != std::string::npos) {
        names.push_back(name);
      }
    }
    return names;
  }

  std::filesystem::path root_, show_, player_, site_;
  TreeLimits limits_;
};

}  // namespace velmorant::site
