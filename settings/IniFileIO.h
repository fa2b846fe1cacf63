#pragma once
// Whole-file reads and writes of the settings file, with the errors the user sees.

#include <optional>
#include <string>
#include <string_view>

namespace settings {

// The file's full path as shown in error messages (relative names resolved against the
// current directory).
std::string FullPath(const std::string& file);

// The file's bytes, or nothing when the file does not exist. Throws SettingsFileError
// when it exists but cannot be read.
std::optional<std::string> LoadFileBytes(const std::string& file);

// True when a file (not a directory) of that name exists.
bool FileExists(const std::string& file);

// Creates an empty file unless one exists already; an existing file is never touched.
void CreateEmptyFile(const std::string& file);

// Replaces the file's content. The new bytes go to a temporary file beside it that is
// flushed to disk and then renamed over the file, so a failed save leaves the old
// content whole. Keeps an existing file's permission bits; writes through a symbolic link.
void SaveFileBytes(const std::string& file, std::string_view bytes);

// The three messages of a failed access.
std::string OpenErrorMessage(const std::string& file, const std::string& reason);
std::string CreateErrorMessage(const std::string& file, const std::string& reason);
std::string WriteErrorMessage();

}  // namespace settings
