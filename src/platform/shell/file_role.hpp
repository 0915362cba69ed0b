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

// Whether a file handed to the desktop to be opened could start a program, run bit or not: an ELF
// file, a script, a Windows or DOS program, a desktop entry. Links and documents never open one.
bool LooksLikeProgram(const std::string& path);

}  // namespace velmorant::platform
