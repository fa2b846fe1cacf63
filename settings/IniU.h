#pragma once
// The eight settings-file operations. Each loads the whole file, does one lookup or one
// change, and saves the whole file when it changed it. Nothing is cached.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace settings {

// A file that cannot be opened, created or written. The message is the one the user sees.
class SettingsFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

bool IniCreate(const std::string& file);
bool IniValueExists(const std::string& file, const std::string& section, const std::string& key);
std::string IniReadString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& defaultValue);
std::int32_t IniReadInteger(const std::string& file, const std::string& section,
                            const std::string& key, std::int32_t defaultValue);
bool IniReadBool(const std::string& file, const std::string& section, const std::string& key,
                 bool defaultValue);
bool IniWriteString(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value);
bool IniWriteInteger(const std::string& file, const std::string& section, const std::string& key,
                     std::int32_t value);
bool IniWriteBool(const std::string& file, const std::string& section, const std::string& key,
                  bool value);

}  // namespace settings
