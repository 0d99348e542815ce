// A fresh directory for one test, removed with everything in it afterwards.
#pragma once

#include <string>

namespace pos_video::testing {

class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Makes `directory` the current directory for as long as it lives.
class CurrentDirectoryScope {
 public:
  explicit CurrentDirectoryScope(const std::string& directory);
  ~CurrentDirectoryScope();
  CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
  CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

 private:
  std::string previous_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// Names of the entries in `directory`, sorted.
std::string ListDirectory(const std::string& directory);

}  // namespace pos_video::testing
