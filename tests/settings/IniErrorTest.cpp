// Failed accesses: the messages the user sees, and a failed save leaving the old file whole.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <functional>
#include <string>

#include "TempDir.h"
#include "settings/IniU.h"

namespace {

using namespace settings;
using settings_test::ReadBytes;
using settings_test::WriteBytes;

const std::string kFile = "relaypanel.ini";

std::string OpenFailure(const std::string& fullPath, int error) {
  return "ファイル \"" + fullPath + "\". " + std::strerror(error) + " は開けません";
}

std::string CreateFailure(const std::string& fullPath, int error) {
  return "ファイル \"" + fullPath + "\". " + std::strerror(error) + " を作成できません";
}

const char kWriteFailure[] = "ストリームへの書き込みエラー";

// The message of the SettingsFileError the call throws ("" when it throws none).
std::string ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const SettingsFileError& e) {
    return e.what();
  }
  return "";
}

class IniErrorTest : public settings_test::TempDirTest {};

TEST_F(IniErrorTest, MessagesAreTheUsersTexts) {
  // Byte for byte, quotes and spaces included.
  EXPECT_EQ(OpenFailure("/d/a.ini", ENOENT),
            "\xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab \"/d/a.ini\". " +
                std::string(std::strerror(ENOENT)) +
                " \xe3\x81\xaf\xe9\x96\x8b\xe3\x81\x91\xe3\x81\xbe\xe3\x81\x9b\xe3\x82\x93");
  EXPECT_EQ(std::string(kWriteFailure),
            "\xe3\x82\xb9\xe3\x83\x88\xe3\x83\xaa\xe3\x83\xbc\xe3\x83\xa0\xe3\x81\xb8\xe3\x81\xae"
            "\xe6\x9b\xb8\xe3\x81\x8d\xe8\xbe\xbc\xe3\x81\xbf\xe3\x82\xa8\xe3\x83\xa9\xe3\x83\xbc");
}

TEST_F(IniErrorTest, UnreadableFileNamesFullPathAndReason) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads files regardless of their mode";
  WriteBytes(kFile, "[s]\r\nk=1\r\n");
  ASSERT_EQ(::chmod(kFile.c_str(), 0), 0);
  const std::string expected = OpenFailure(Path(kFile), EACCES);
  EXPECT_EQ(ErrorOf([] { IniReadString(kFile, "s", "k", "d"); }), expected);
  EXPECT_EQ(ErrorOf([] { IniCreate(kFile); }), expected);
  EXPECT_EQ(ErrorOf([] { IniWriteString(kFile, "s", "k", "2"); }), expected);
  ASSERT_EQ(::chmod(kFile.c_str(), 0600), 0);
  EXPECT_EQ(ReadBytes(kFile), "[s]\r\nk=1\r\n");
}

TEST_F(IniErrorTest, DirectoryInPlaceOfTheFileCannotBeOpened) {
  ASSERT_EQ(::mkdir(kFile.c_str(), 0755), 0);
  const std::string expected = OpenFailure(Path(kFile), EISDIR);
  EXPECT_EQ(ErrorOf([] { IniCreate(kFile); }), expected);
  EXPECT_EQ(ErrorOf([] { IniValueExists(kFile, "s", "k"); }), expected);
  EXPECT_EQ(ErrorOf([] { IniReadInteger(kFile, "s", "k", 1); }), expected);
  EXPECT_EQ(ErrorOf([] { IniWriteBool(kFile, "s", "k", true); }), expected);
}

TEST_F(IniErrorTest, FileThatCannotBeCreatedNamesFullPathAndReason) {
  // A regular file as the parent directory: no privilege gets past that.
  WriteBytes("plain", "not a directory");
  const std::string file = "plain/" + kFile;
  const std::string expected = CreateFailure(Path(file), ENOTDIR);
  EXPECT_EQ(ErrorOf([&] { IniCreate(file); }), expected);
  EXPECT_EQ(ErrorOf([&] { IniWriteString(file, "s", "k", "v"); }), expected);
  EXPECT_EQ(ErrorOf([&] { IniReadString(file, "s", "k", "v"); }), expected);
  EXPECT_FALSE(IniValueExists(file, "s", "k"));
  EXPECT_EQ(ReadBytes("plain"), "not a directory");
}

TEST_F(IniErrorTest, ReadOnlyDirectoryKeepsOldFileAndNamesIt) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only directories";
  ASSERT_EQ(::mkdir("ro", 0755), 0);
  WriteBytes("ro/" + kFile, "[s]\r\nk=1\r\n");
  ASSERT_EQ(::chmod("ro", 0555), 0);
  ASSERT_EQ(::chdir("ro"), 0);
  // The bare name, as the program passes it, resolved against the current directory.
  EXPECT_EQ(ErrorOf([] { IniWriteString(kFile, "s", "k", "2"); }),
            CreateFailure(Path("ro/" + kFile), EACCES));
  EXPECT_EQ(ErrorOf([] { IniReadString(kFile, "s", "absent", "x"); }),
            CreateFailure(Path("ro/" + kFile), EACCES));
  EXPECT_EQ(IniReadString(kFile, "s", "k", "x"), "1");
  EXPECT_EQ(ReadBytes(kFile), "[s]\r\nk=1\r\n");
}

// Runs the call in a child whose files may not grow beyond `limit` bytes, and returns the
// message it threw ("" for none, "?" when the child ended abnormally).
std::string ErrorUnderFileSizeLimit(rlim_t limit, const std::function<void()>& call) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return "pipe failed";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
    const rlimit rl{limit, limit};
    if (::setrlimit(RLIMIT_FSIZE, &rl) != 0) ::_exit(2);
    const std::string message = ErrorOf(call);
    const ssize_t n = ::write(pipeFds[1], message.data(), message.size());
    ::_exit(n == static_cast<ssize_t>(message.size()) ? 0 : 3);
  }
  ::close(pipeFds[1]);
  std::string message;
  char buffer[512];
  ssize_t n;
  while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0) {
    message.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "?";
  return message;
}

TEST_F(IniErrorTest, ShortWriteKeepsOldContentWhole) {
  const std::string old = "[relaypanel]\r\nIPV4=10.0.0.5\r\nPort=80\r\n\r\n";
  WriteBytes(kFile, old);
  const std::string big(4096, 'a');
  EXPECT_EQ(ErrorUnderFileSizeLimit(1024, [&] { IniWriteString(kFile, "relaypanel", "X", big); }),
            kWriteFailure);
  EXPECT_EQ(ReadBytes(kFile), old);
  EXPECT_EQ(Entries(), std::vector<std::string>{kFile});  // the temporary file is gone
  // The same save without the limit goes through.
  IniWriteString(kFile, "relaypanel", "X", big);
  EXPECT_EQ(IniReadString(kFile, "relaypanel", "X", ""), big);
}

TEST_F(IniErrorTest, ShortWriteOfAbsentKeyReadLeavesNoFile) {
  const std::string big(4096, 'b');
  EXPECT_EQ(ErrorUnderFileSizeLimit(100, [&] { IniReadString(kFile, "s", "k", big); }),
            kWriteFailure);
  EXPECT_TRUE(Entries().empty());
}

}  // namespace
