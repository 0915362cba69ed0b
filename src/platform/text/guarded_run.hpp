#pragma once

#include <cstdio>
#include <exception>
#include <new>
#include <string_view>

#include "platform/text/warning_line.hpp"

namespace velmorant::platform {

// Runs a program's work and gives its exit status; whatever the work throws ends with one line on
// standard error ("PROGRAM: stopped: WHY") and status 1 instead of an abort.
template <class Work>
int GuardedRun(std::string_view program, Work work) {
  auto stopped = [&](std::string_view why) {
    std::fputs(WarningLine("stopped", why, program).c_str(), stderr);
    return 1;
  };
  try {
    return work();
  } catch (const std::bad_alloc&) {
    return stopped("out of memory");
  } catch (const std::exception& e) {
    return stopped(e.what());
  } catch (...) {
    return stopped("unexpected failure");
  }
}

}  // namespace velmorant::platform
