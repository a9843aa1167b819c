// File and process helpers for the SZDD tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace szddtest {

using Bytes = std::vector<uint8_t>;

bool ReadFile(const std::string& path, Bytes& bytes);
bool WriteFile(const std::string& path, const Bytes& bytes);

// A fresh folder under the system's temporary folder, removed with its
// contents when this goes out of scope.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Runs a shell command line; true when it exits with 0.
bool Run(const std::string& command);
std::string Quote(const std::string& text);

}  // namespace szddtest
