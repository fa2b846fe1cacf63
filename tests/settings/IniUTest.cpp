// The eight operations on real files in a fresh current directory.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

using namespace std::string_literals;

#include "TempDir.h"
#include "settings/IniU.h"

namespace {

using namespace settings;
using settings_test::ReadBytes;
using settings_test::WriteBytes;

const std::string kFile = "relaypanel.ini";

// A save replaces the file by rename, so an unchanged inode means the file was not rewritten.
ino_t Inode(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_ino;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

class IniUTest : public settings_test::TempDirTest {};

TEST_F(IniUTest, CreateMakesZeroByteFile) {
  EXPECT_TRUE(IniCreate(kFile));
  ASSERT_TRUE(Exists(kFile));
  EXPECT_EQ(ReadBytes(kFile), "");
}

TEST_F(IniUTest, CreateLeavesExistingFileByteForByte) {
  const std::string odd = ";c\n\n[s]\rk = v \x82\xa0\0tail"s;
  WriteBytes(kFile, odd);
  const ino_t before = Inode(kFile);
  EXPECT_TRUE(IniCreate(kFile));
  EXPECT_EQ(ReadBytes(kFile), odd);
  EXPECT_EQ(Inode(kFile), before);
}

TEST_F(IniUTest, ValueExistsNeverCreatesTheFile) {
  EXPECT_FALSE(IniValueExists(kFile, "relaypanel", "IPV4"));
  EXPECT_FALSE(Exists(kFile));
  EXPECT_TRUE(Entries().empty());
}

TEST_F(IniUTest, ValueExistsAnswersFromTheFile) {
  WriteBytes(kFile, "[relaypanel]\r\nipv4=\r\nPort\r\n");
  const ino_t before = Inode(kFile);
  EXPECT_TRUE(IniValueExists(kFile, "RELAYPANEL", "IPV4"));
  EXPECT_FALSE(IniValueExists(kFile, "relaypanel", "Port"));  // no "=": no key
  EXPECT_FALSE(IniValueExists(kFile, "other", "IPV4"));
  EXPECT_EQ(Inode(kFile), before);
}

TEST_F(IniUTest, ReadOfAbsentKeyFromMissingFileCreatesIt) {
  EXPECT_EQ(IniReadString(kFile, "relaypanel", "IPV4", "192.168.0.123"), "192.168.0.123");
  EXPECT_EQ(ReadBytes(kFile), "[relaypanel]\r\nIPV4=192.168.0.123\r\n\r\n");
}

TEST_F(IniUTest, ReadOfAbsentIntegerWritesDefaultOnceOnly) {
  WriteBytes(kFile, "[relaypanel]\r\nIPV4=10.0.0.5\r\n\r\n");
  EXPECT_EQ(IniReadInteger(kFile, "relaypanel", "Timer", 10), 10);
  const std::string after = "[relaypanel]\r\nIPV4=10.0.0.5\r\nTimer=10\r\n\r\n";
  EXPECT_EQ(ReadBytes(kFile), after);
  const ino_t before = Inode(kFile);
  EXPECT_EQ(IniReadInteger(kFile, "relaypanel", "Timer", 99), 10);
  EXPECT_EQ(Inode(kFile), before);
  EXPECT_EQ(ReadBytes(kFile), after);
}

TEST_F(IniUTest, ReadOfAbsentBoolWritesItsDigit) {
  EXPECT_TRUE(IniReadBool(kFile, "s", "a", true));
  EXPECT_FALSE(IniReadBool(kFile, "s", "b", false));
  EXPECT_EQ(ReadBytes(kFile), "[s]\r\na=1\r\nb=0\r\n\r\n");
}

TEST_F(IniUTest, PresentValuesAreReadWithoutWriting) {
  const std::string text = "[relaypanel]\r\nIPV4=\r\nTimer=abc\r\nExitSec=0x1E\r\n";
  WriteBytes(kFile, text);
  const ino_t before = Inode(kFile);
  EXPECT_EQ(IniReadString(kFile, "relaypanel", "IPV4", "192.168.0.123"), "");
  EXPECT_EQ(IniReadInteger(kFile, "relaypanel", "Timer", 10), 10);
  EXPECT_EQ(IniReadInteger(kFile, "relaypanel", "ExitSec", 60), 30);
  EXPECT_EQ(ReadBytes(kFile), text);
  EXPECT_EQ(Inode(kFile), before);
}

struct BoolCase {
  const char* stored;
  bool defaultValue;
  bool expected;
};

class ReadBool : public settings_test::TempDirTest,
                 public ::testing::WithParamInterface<BoolCase> {};

TEST_P(ReadBool, ThroughTheIntegerRule) {
  WriteBytes(kFile, std::string("[s]\r\nUseOnOff=") + GetParam().stored + "\r\n");
  EXPECT_EQ(IniReadBool(kFile, "s", "UseOnOff", GetParam().defaultValue), GetParam().expected)
      << "stored \"" << GetParam().stored << "\"";
}

INSTANTIATE_TEST_SUITE_P(Table, ReadBool,
                         ::testing::Values(BoolCase{"1", false, true}, BoolCase{"0", true, false},
                                           BoolCase{"2", false, true}, BoolCase{"5", false, true},
                                           BoolCase{"-1", false, true}, BoolCase{"$0", true, false},
                                           BoolCase{"yes", false, false},
                                           BoolCase{"yes", true, true},
                                           BoolCase{"true", false, false}, BoolCase{"", true, true},
                                           BoolCase{"", false, false}));

TEST_F(IniUTest, WritesEncodeValues) {
  EXPECT_TRUE(IniWriteInteger(kFile, "s", "i", -32768));
  EXPECT_TRUE(IniWriteBool(kFile, "s", "t", true));
  EXPECT_TRUE(IniWriteBool(kFile, "s", "f", false));
  EXPECT_TRUE(IniWriteString(kFile, "s", "v", " spaced "));
  EXPECT_EQ(ReadBytes(kFile), "[s]\r\ni=-32768\r\nt=1\r\nf=0\r\nv= spaced \r\n\r\n");
  // Values are trimmed when read back.
  EXPECT_EQ(IniReadString(kFile, "s", "v", "x"), "spaced");
}

TEST_F(IniUTest, EveryCallSeesTheFileAsItIsNow) {
  IniWriteString(kFile, "s", "k", "1");
  WriteBytes(kFile, "[s]\r\nk=2\r\n");
  EXPECT_EQ(IniReadString(kFile, "s", "k", "x"), "2");
  IniWriteString(kFile, "s", "j", "3");
  EXPECT_EQ(ReadBytes(kFile), "[s]\r\nk=2\r\nj=3\r\n\r\n");
}

TEST_F(IniUTest, SaveLeavesNoTemporaryFiles) {
  for (int i = 0; i < 5; ++i) IniWriteInteger(kFile, "s", "k", i);
  EXPECT_EQ(Entries(), std::vector<std::string>{kFile});
}

TEST_F(IniUTest, SaveKeepsPermissionBits) {
  WriteBytes(kFile, "[s]\r\n");
  ASSERT_EQ(::chmod(kFile.c_str(), 0640), 0);
  IniWriteString(kFile, "s", "k", "v");
  struct stat st {};
  ASSERT_EQ(::stat(kFile.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(IniUTest, SaveThroughSymbolicLinkKeepsTheLink) {
  ASSERT_EQ(::mkdir("real", 0755), 0);
  WriteBytes("real/target.ini", "[s]\r\n");
  ASSERT_EQ(::symlink("real/target.ini", kFile.c_str()), 0);
  IniWriteString(kFile, "s", "k", "v");
  struct stat st {};
  ASSERT_EQ(::lstat(kFile.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(ReadBytes("real/target.ini"), "[s]\r\nk=v\r\n\r\n");
}

TEST_F(IniUTest, FileNameWithDirectoryIsUsedAsGiven) {
  ASSERT_EQ(::mkdir("sub", 0755), 0);
  IniWriteString("sub/x.ini", "s", "k", "v");
  EXPECT_EQ(ReadBytes(Path("sub/x.ini")), "[s]\r\nk=v\r\n\r\n");
  EXPECT_EQ(IniReadString(Path("sub/x.ini"), "s", "k", "d"), "v");
}

}  // namespace
