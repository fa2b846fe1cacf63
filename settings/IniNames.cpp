#include "settings/IniNames.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace settings {

IniNames DeriveIniNames(std::string_view executablePath) {
  const std::size_t cut = executablePath.find_last_of("\\:/");
  const std::string_view name =
      cut == std::string_view::npos ? executablePath : executablePath.substr(cut + 1);
  const std::size_t dot = name.rfind('.');
  const std::string_view stem = dot == std::string_view::npos ? name : name.substr(0, dot);
  IniNames names;
  names.fileName = std::string(stem) + ".ini";
  names.section = std::string(stem);
  return names;
}

std::string ExecutablePath() {
#ifdef _WIN32
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      throw std::runtime_error("GetModuleFileNameA failed: " + std::to_string(::GetLastError()));
    }
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
#else
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) {
      throw std::runtime_error(std::string("/proc/self/exe: ") + std::strerror(errno));
    }
    if (static_cast<std::size_t>(length) < buffer.size()) {
      return std::string(buffer.data(), static_cast<std::size_t>(length));
    }
    buffer.resize(buffer.size() * 2);
  }
#endif
}

}  // namespace settings
