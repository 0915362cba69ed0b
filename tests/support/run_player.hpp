// Runs the whole player on a command line, as main does, with what it says on stderr kept.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/entry.hpp"

namespace velmorant::testing {

inline int RunPlayerQuietly(const std::vector<std::string>& args, std::string& errors) {
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  ::testing::internal::CaptureStderr();
  const int status = RunPlayer(int(argv.size()), argv.data());
  errors = ::testing::internal::GetCapturedStderr();
  return status;
}

}  // namespace velmorant::testing
