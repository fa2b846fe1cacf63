#include "support/ScratchDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testsupport {

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "relaytest-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void ScratchDir::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream file(path_ + "/" + name, std::ios::binary);
  file << bytes;
  if (!file) throw std::runtime_error("cannot write " + path_ + "/" + name);
}

std::string ScratchDir::Read(const std::string& name) const {
  std::ifstream file(path_ + "/" + name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::vector<std::string> ScratchDir::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

}  // namespace testsupport
