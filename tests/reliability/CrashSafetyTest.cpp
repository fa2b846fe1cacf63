// The settings file survives a process killed in the middle of a save, and a save that
// fails part-way, whole: it holds the old content or the new, never a cut or mixed one.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "settings/IniDocument.h"
#include "settings/IniU.h"
#include "support/TempDir.h"

namespace {

constexpr const char* kFile = "relaypanel.ini";
constexpr const char* kSection = "relaypanel";

// Large values, so a save takes long enough for kills to land inside it.
const std::string kValueA(48 * 1024, 'a');
const std::string kValueB(48 * 1024, 'b');

// The file as a save with this value leaves it.
std::string FileWith(const std::string& value) {
  settings::IniDocument doc = settings::IniDocument::Parse(
      "[relaypanel]\r\nIPV4=127.0.0.1\r\nData=x\r\n\r\n[ON/OFF]\r\nS_CBx_1=0\r\n\r\n");
  doc.SetValue(kSection, "Data", value);
  return doc.Serialize();
}

int LeftoverTempFiles(const std::filesystem::path& dir) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().filename() != kFile) ++count;
  }
  return count;
}

void RemoveLeftovers(const std::filesystem::path& dir) {
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().filename() != kFile) std::filesystem::remove(entry.path());
  }
}

// Saves the other content first, so every save that completes changes the file.
[[noreturn]] void SaveForever(bool startWithA) {
  for (bool a = startWithA;; a = !a) {
    try {
      settings::IniWriteString(kFile, kSection, "Data", a ? kValueA : kValueB);
    } catch (...) {
      _exit(3);
    }
  }
}

}  // namespace

TEST(CrashSafety, KilledDuringSavesTheFileIsAlwaysOldOrNew) {
  support::TempDir dir;
  const std::string contentA = FileWith(kValueA);
  const std::string contentB = FileWith(kValueB);
  dir.Write(kFile, contentA);

  // Kill moments spread over three saves' time, whatever a save costs on this disk.
  const auto saveStart = std::chrono::steady_clock::now();
  settings::IniWriteString(kFile, kSection, "Data", kValueA);
  const auto saveUs = std::chrono::duration_cast<std::chrono::microseconds>(
                          std::chrono::steady_clock::now() - saveStart)
                          .count();
  ASSERT_EQ(dir.Read(kFile), contentA);
  std::mt19937 random(12345);
  std::uniform_int_distribution<long> delayUs(0, 3 * saveUs + 1000);
  int flips = 0;
  int killedInsideSave = 0;
  std::string previous = contentA;
  int rounds = 0;
  for (; rounds < 300; ++rounds) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveForever(previous == contentB);
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself: " << status;

    const std::string now = dir.Read(kFile);
    ASSERT_TRUE(now == contentA || now == contentB)
        << "round " << rounds << ": the file holds " << now.size() << " bytes, neither old nor new";
    if (now != previous) ++flips;
    previous = now;
    // A temporary file left behind shows the kill came in the middle of a save.
    if (LeftoverTempFiles(dir.Path()) > 0) ++killedInsideSave;
    RemoveLeftovers(dir.Path());
    // And the program reads the file as usual.
    const std::string value = settings::IniReadString(kFile, kSection, "Data", "");
    ASSERT_TRUE(value == kValueA || value == kValueB);
  }
  // The kills must have come both between and inside saves for the test to mean anything.
  EXPECT_GT(flips, 10);
  EXPECT_GT(killedInsideSave, 10);
  std::printf("%d kills (one save: %ld us), %d changed the file, %d inside a save\n", rounds,
              static_cast<long>(saveUs), flips, killedInsideSave);
}

TEST(CrashSafety, SaveCutShortBySizeLimitReportsWriteErrorAndKeepsOldFile) {
  support::TempDir dir;
  // The old file is larger than the limit: only the new bytes are cut short.
  const std::string old = FileWith(std::string(100 * 1024, 'o'));
  dir.Write(kFile, old);

  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(pipeFds[0]);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{8192, 8192};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(4);
    std::string message = "(no error)";
    try {
      settings::IniWriteString(kFile, kSection, "Data", std::string(64 * 1024, 'n'));
    } catch (const settings::SettingsFileError& e) {
      message = e.what();
    } catch (const std::exception& e) {
      message = std::string("other error: ") + e.what();
    }
    (void)!::write(pipeFds[1], message.data(), message.size());
    _exit(0);
  }
  ::close(pipeFds[1]);
  std::string message;
  char buffer[512];
  ssize_t got;
  while ((got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0) message.append(buffer, got);
  ::close(pipeFds[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

  EXPECT_EQ(message, "ストリームへの書き込みエラー");
  EXPECT_EQ(dir.Read(kFile), old);
  EXPECT_EQ(LeftoverTempFiles(dir.Path()), 0) << "the cut temporary file stays behind";
}
