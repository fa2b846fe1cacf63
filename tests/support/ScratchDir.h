#pragma once
// A fresh empty directory under the system's temporary directory, removed by its owner.
// Unlike support::TempDir it does not become the current directory: a child process is
// pointed at it instead.

#include <string>
#include <vector>

namespace testsupport {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& Path() const { return path_; }
  void Write(const std::string& name, const std::string& bytes) const;
  // The file's bytes; "" when it cannot be read.
  std::string Read(const std::string& name) const;
  std::vector<std::string> Names() const;

 private:
  std::string path_;
};

}  // namespace testsupport
