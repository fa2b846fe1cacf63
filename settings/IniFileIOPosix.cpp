// POSIX half of the settings file access.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>

#include "settings/IniFileIO.h"
#include "settings/IniU.h"

namespace settings {

namespace {

std::string Reason(int error) {
  return std::strerror(error);
}

[[noreturn]] void ThrowOpen(const std::string& file, int error) {
  throw SettingsFileError(OpenErrorMessage(file, Reason(error)));
}

[[noreturn]] void ThrowCreate(const std::string& file, int error) {
  throw SettingsFileError(CreateErrorMessage(file, Reason(error)));
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
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The file a save must replace: the target of a symbolic link, so the link survives.
std::string SaveTarget(const std::string& file) {
  struct stat st {};
  if (::lstat(file.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* resolved = ::realpath(file.c_str(), nullptr)) {
      std::string target(resolved);
      std::free(resolved);
      return target;
    }
  }
  return file;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string RandomSuffix() {
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937 engine{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
  std::string suffix(6, ' ');
  for (char& c : suffix) c = kChars[pick(engine)];
  return suffix;
}

}  // namespace

std::string FullPath(const std::string& file) {
  std::filesystem::path path(file);
  if (!path.is_absolute()) {
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd) == nullptr) return file;
    path = std::filesystem::path(cwd) / path;
  }
  return path.lexically_normal().string();
}

std::optional<std::string> LoadFileBytes(const std::string& file) {
  Fd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    ThrowOpen(file, errno);
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) ThrowOpen(file, errno);
  if (S_ISDIR(st.st_mode)) ThrowOpen(file, EISDIR);

  std::string bytes;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowOpen(file, errno);
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

bool FileExists(const std::string& file) {
  struct stat st {};
  return ::stat(file.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

void CreateEmptyFile(const std::string& file) {
  // O_EXCL: a file that appeared meanwhile is left as it is.
  Fd fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (fd.get() < 0) {
    if (errno == EEXIST) return;
    ThrowCreate(file, errno);
  }
  if (!fd.Close()) ThrowWrite();
}

void SaveFileBytes(const std::string& file, std::string_view bytes) {
  const std::string target = SaveTarget(file);
  const std::string directory = DirectoryOf(target);
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);

  std::string temp;
  int raw = -1;
  for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
    temp = directory + "/." + BaseOf(target) + ".tmp." + RandomSuffix();
    raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
    if (raw < 0 && errno != EEXIST) ThrowCreate(file, errno);
  }
  if (raw < 0) ThrowCreate(file, EEXIST);
  Fd fd(raw);

  // Best effort: some file systems refuse mode changes, which must not stop the save.
  if (replacing) (void)::fchmod(fd.get(), old.st_mode & 07777);

  if (!WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 || !fd.Close()) {
    ::unlink(temp.c_str());
    ThrowWrite();
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    ThrowCreate(file, error);
  }
  // No fsync of the directory: the file is whole before the rename, so after a power
  // loss the name holds the old or the new content either way. Syncing the directory
  // too would double the cost of each of the first run's forty saves.
}

}  // namespace settings

#endif  // !_WIN32
