#pragma once
// The settings file's bare name and the main section's name, from the executable's path.

#include <string>
#include <string_view>

namespace settings {

struct IniNames {
  std::string fileName;  // "relaypanel.ini" for ".../relaypanel" or "C:\...\relaypanel.exe"
  std::string section;   // "relaypanel"
};

// Keeps the text after the last "\", ":" and "/", then replaces the extension (from the
// last ".") by ".ini" for the file and drops it for the section.
IniNames DeriveIniNames(std::string_view executablePath);

// The running program's full path (from the system; no argument is read).
std::string ExecutablePath();

}  // namespace settings
