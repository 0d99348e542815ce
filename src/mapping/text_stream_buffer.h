// Lets TinyXML's stream reader take a text where it lies: a string stream would first copy the
// whole file, and a mapping file can be tens of megabytes.
#pragma once

#include <cstddef>
#include <streambuf>
#include <string>

namespace pos_video {

// Reads `text`, which must outlive it; never writes.
class TextStreamBuffer : public std::streambuf {
 public:
  explicit TextStreamBuffer(const std::string& text) {
    char* begin = const_cast<char*>(text.data());
    setg(begin, begin, begin + text.size());
  }
  // How many characters the reader has taken.
  std::size_t Taken() const { return static_cast<std::size_t>(gptr() - eback()); }
};

}  // namespace pos_video
