#pragma once
// A fresh directory per test, made the current directory while the test runs, so bare
// file names land in it the way the program's do.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace settings_test {

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

inline std::string Fixture(const std::string& name) {
  return ReadBytes(std::string(RELAY_TEST_DATA) + "/" + name);
}

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char saved[PATH_MAX];
    ASSERT_NE(::getcwd(saved, sizeof saved), nullptr);
    saved_ = saved;
    std::string pattern = (std::filesystem::temp_directory_path() / "relayset.XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    char* resolved = ::realpath(pattern.c_str(), nullptr);
    ASSERT_NE(resolved, nullptr);
    dir_ = resolved;
    std::free(resolved);
    ASSERT_EQ(::chdir(dir_.c_str()), 0);
  }

  void TearDown() override {
    EXPECT_EQ(::chdir(saved_.c_str()), 0);
    std::error_code ignored;
    // Restore permissions a test took away so the tree can be removed.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_, ignored)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(dir_, ignored);
  }

  // Absolute path of a name inside the test's directory.
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  // Names in the directory, to catch leftover temporary files.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string dir_;

 private:
  std::string saved_;
};

}  // namespace settings_test
