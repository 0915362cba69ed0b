#pragma once

#include <string>

#include "platform/loop/event_log.hpp"

namespace velmorant::platform {

// The "sound" record every sound player writes for a request, so that all of them log alike.
inline void WriteSoundEvent(EventLog& log, const std::string& path, bool loop, bool result,
                            const char* op) {
  log.Write("sound",
            {{"op", op}, {"file", log.RelativePath(path)}, {"loop", loop}, {"result", result}});
}

}  // namespace velmorant::platform
