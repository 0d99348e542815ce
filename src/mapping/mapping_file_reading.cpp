#include "mapping/mapping_file_reading.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace pos_video {

bool ReadMappingFile(const std::string& path, std::string* text, std::string* failure) {
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (file == nullptr) {
    *failure = std::strerror(errno);
    return false;
  }
  std::string contents;
  char chunk[65536];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) contents.append(chunk, got);
  // A folder opens on some systems and fails only when read.
  const bool readFailed = std::ferror(file) != 0;
  const int readError = errno;
  std::fclose(file);  // Opened for reading only: nothing can be lost here.
  if (readFailed) {
    *failure = readError != 0 ? std::strerror(readError) : "read error";
    return false;
  }
  *text = std::move(contents);
  return true;
}

}  // namespace pos_video
