#pragma once

#include <string>

namespace velmorant::platform {

// How "open" treats a local file.
enum class FileRole {
  kNativeProgram,   // an ELF executable or a #! script with its run bit: started directly
  kWindowsProgram,  // .exe: through wine
  kWindowsBatch,    // .bat, .cmd: through wine's command interpreter
  kDosProgram,      // .com: refused
  kDocument,        // anything else: its default application
};

// Only ELF files and #! scripts run natively: on discs and FAT media every file carries the run
// bit, and a document must not run as a program.
FileRole RoleOfFile(const std::string& path);

}  // namespace velmorant::platform
