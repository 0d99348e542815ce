#include "search_time/text_blanks.h"

#include <cstring>

#include "base/ascii_classes.h"

namespace pos_video {
namespace {

// U+00A0, U+1680, U+2000 to U+200A, U+202F, U+205F and U+3000 in UTF-8.
constexpr const char* kSpaceSeparators[] = {
    "\xC2\xA0",     "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81", "\xE2\x80\x82", "\xE2\x80\x83",
    "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86", "\xE2\x80\x87", "\xE2\x80\x88", "\xE2\x80\x89",
    "\xE2\x80\x8A", "\xE2\x80\xAF", "\xE2\x81\x9F", "\xE3\x80\x80",
};

}  // namespace

std::size_t BlankLength(const char* position) {
  if (IsAsciiWhitespace(*position)) return 1;
  for (const char* separator : kSpaceSeparators) {
    // The text's NUL differs from every byte of a separator, so nothing past it is read.
    const std::size_t length = std::strlen(separator);
    std::size_t matched = 0;
    while (matched < length && position[matched] == separator[matched]) ++matched;
    if (matched == length) return length;
  }
  return 0;
}

const char* SkipBlanks(const char* position) {
  while (const std::size_t length = BlankLength(position)) position += length;
  return position;
}

}  // namespace pos_video
