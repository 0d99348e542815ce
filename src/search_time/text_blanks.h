// Blanks in a time's text: ASCII whitespace, and the Unicode space separators written in UTF-8,
// which programs' own date libraries put between a time and its day period.
#pragma once

#include <cstddef>

namespace pos_video {

// The number of bytes of the blank at `position`, or 0 when none starts there.
std::size_t BlankLength(const char* position);

// The first position at or after `position` that starts no blank.
const char* SkipBlanks(const char* position);

}  // namespace pos_video
