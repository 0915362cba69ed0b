#pragma once

// A presentation folder written by a test: a definition and the files it names.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "check/finding.hpp"
#include "check/presentation_check.hpp"
#include "definition/loader.hpp"
#include "support/bmp_builder.hpp"
#include "support/test_files.hpp"

namespace velmorant::check {

class CheckFixture : public ::testing::Test {
 protected:
  void SetUp() override { root_ = testing::FreshTestFolder("velmorant-check-"); }
  void TearDown() override { std::filesystem::remove_all(root_); }

  void WriteDefinition(const Definition& d, size_t trailing_bytes = 0) {
    WriteResult written = velmorant::WriteDefinition(d, d.edition);
    ASSERT_TRUE(written.error.empty()) << written.error;
    written.bytes.resize(written.bytes.size() + trailing_bytes, 0);
    testing::WriteBytes(root_ / "info.med", written.bytes);
  }
  void Picture(const std::string& relative) {
    testing::WriteBytes(root_ / relative, testing::SolidBmp(4, 4, 0x336699));
  }
  void Garbage(const std::string& relative) {
    testing::WriteBytes(root_ / relative, {'n', 'o', 't', ' ', 'i', 't'});
  }
  Findings Run() { return CheckPresentation(root_, *platform::CodePage::Open(1250)); }

  std::filesystem::path root_;
};

// The finding about `record` ("TObrazy[2].FileName" or a file for findings without a record).
inline const Finding* FindingAt(const Findings& findings, const std::string& record) {
  const auto& all = findings.All();
  auto it = std::find_if(all.begin(), all.end(), [&](const Finding& f) {
    const std::string line = FormatLine(f);
    return line.find(": " + record + ": ") != std::string::npos;
  });
  return it == all.end() ? nullptr : &*it;
}

inline std::string AllLines(const Findings& findings) {
  std::string text;
  for (const Finding& f : findings.All()) text += FormatLine(f) + "\n";
  return text;
}

}  // namespace velmorant::check
