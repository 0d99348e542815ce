#include "mapping/mapping_file_reading.h"

#include <tinyxml.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <utility>

#include "mapping/mapping_text_guard.h"

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

std::size_t MappingTextReadLength(const std::string& text) {
  std::string ignored;
  if (!CheckMappingText(text, &ignored)) return 0;
  std::istringstream stream(text);
  TiXmlDocument document;
  stream >> document;
  // The reader leaves the stream just past the element's last '>'; having met the end of the text
  // instead, the stream no longer reports a position.
  const std::istringstream::pos_type end = stream.tellg();
  if (end == std::istringstream::pos_type(-1)) return text.size();
  return static_cast<std::size_t>(end);
}

}  // namespace pos_video
