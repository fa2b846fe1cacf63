// Windows half of the settings file access.
#ifdef _WIN32

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "settings/IniFileIO.h"
#include "settings/IniU.h"

namespace settings {

namespace {

std::string Reason(int error) {
  return std::strerror(error);
}

std::string SystemReason(DWORD error) {
  char* text = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string reason = length != 0 ? std::string(text, length) : std::to_string(error);
  if (text != nullptr) ::LocalFree(text);
  while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n')) reason.pop_back();
  return reason;
}

[[noreturn]] void ThrowOpen(const std::string& file, int error) {
  throw SettingsFileError(OpenErrorMessage(file, Reason(error)));
}

[[noreturn]] void ThrowCreate(const std::string& file, const std::string& reason) {
  throw SettingsFileError(CreateErrorMessage(file, reason));
}

[[noreturn]] void ThrowWrite() {
  throw SettingsFileError(WriteErrorMessage());
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::_close(fd_);
  }
  int get() const { return fd_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::_close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const unsigned chunk = bytes.size() > 65536 ? 65536u : static_cast<unsigned>(bytes.size());
    const int n = ::_write(fd, bytes.data(), chunk);
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string RandomSuffix() {
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 engine{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
  std::string suffix(6, ' ');
  for (char& c : suffix) c = kChars[pick(engine)];
  return suffix;
}

}  // namespace

std::string FullPath(const std::string& file) {
  char buffer[MAX_PATH * 4];
  const DWORD length = ::GetFullPathNameA(file.c_str(), sizeof buffer, buffer, nullptr);
  if (length == 0 || length >= sizeof buffer) return file;
  return std::string(buffer, length);
}

std::optional<std::string> LoadFileBytes(const std::string& file) {
  int raw = -1;
  // Others may read the file while it is loaded, but not write it.
  const errno_t opened = ::_sopen_s(&raw, file.c_str(), _O_RDONLY | _O_BINARY, _SH_DENYWR, 0);
  if (opened != 0) {
    if (opened == ENOENT) return std::nullopt;
    ThrowOpen(file, opened);
  }
  Fd fd(raw);
  std::string bytes;
  char buffer[4096];
  for (;;) {
    const int n = ::_read(fd.get(), buffer, sizeof buffer);
    if (n < 0) ThrowOpen(file, errno);
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

bool FileExists(const std::string& file) {
  const DWORD attributes = ::GetFileAttributesA(file.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void CreateEmptyFile(const std::string& file) {
  int raw = -1;
  const errno_t opened = ::_sopen_s(&raw, file.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                                    _SH_DENYRW, _S_IREAD | _S_IWRITE);
  if (opened != 0) {
    if (opened == EEXIST) return;
    ThrowCreate(file, Reason(opened));
  }
  Fd fd(raw);
  if (!fd.Close()) ThrowWrite();
}

void SaveFileBytes(const std::string& file, std::string_view bytes) {
  const std::size_t cut = file.find_last_of("\\/:");
  const std::string prefix = cut == std::string::npos ? std::string() : file.substr(0, cut + 1);
  const std::string base = cut == std::string::npos ? file : file.substr(cut + 1);

  std::string temp;
  int raw = -1;
  for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
    temp = prefix + "." + base + ".tmp." + RandomSuffix();
    const errno_t opened =
        ::_sopen_s(&raw, temp.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYRW,
                   _S_IREAD | _S_IWRITE);
    if (opened != 0 && opened != EEXIST) ThrowCreate(file, Reason(opened));
    if (opened != 0) raw = -1;
  }
  if (raw < 0) ThrowCreate(file, Reason(EEXIST));
  Fd fd(raw);

  if (!WriteAll(fd.get(), bytes) || ::_commit(fd.get()) != 0 || !fd.Close()) {
    ::_unlink(temp.c_str());
    ThrowWrite();
  }
  if (!::MoveFileExA(temp.c_str(), file.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = ::GetLastError();
    ::_unlink(temp.c_str());
    ThrowCreate(file, SystemReason(error));
  }
}

}  // namespace settings

#endif  // _WIN32
