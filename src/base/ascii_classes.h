// Character classes for text that other programs and people write.
//
// Spelled out rather than taken from <cctype>, whose answers depend on the locale and are
// undefined for negative char values: bytes 0x80 and above are neither whitespace nor digits.
#pragma once

namespace pos_video {

inline bool IsAsciiWhitespace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

inline bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The first byte at or after `position` that is not whitespace.
inline const char* SkipAsciiWhitespace(const char* position) {
  while (IsAsciiWhitespace(*position)) ++position;
  return position;
}

// 'A' to 'Z' as 'a' to 'z', and the other way round; every other byte as it is.
inline char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
inline char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace pos_video
