#include "base/saturated_integer.h"

#include <limits>

#include "base/ascii_classes.h"

namespace pos_video {

bool ReadSaturatedInteger(const char* text, std::int32_t* value, const char** end) {
  text = SkipAsciiWhitespace(text);
  bool negative = false;
  if (*text == '+' || *text == '-') negative = (*text++ == '-');

  constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
  // Once the magnitude leaves the 32-bit range it is pinned just beyond it, so no digit count can
  // overflow the 64-bit accumulator.
  constexpr std::int64_t kPinned = kHighest + 2;
  std::int64_t magnitude = 0;
  bool sawDigit = false;
  for (; IsAsciiDigit(*text); ++text) {
    sawDigit = true;
    magnitude = magnitude * 10 + (*text - '0');
    if (magnitude > kPinned) magnitude = kPinned;
  }
  if (end != nullptr) *end = text;
  const std::int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue < kLowest) {
    *value = static_cast<std::int32_t>(kLowest);
  } else if (signedValue > kHighest) {
    *value = static_cast<std::int32_t>(kHighest);
  } else {
    *value = static_cast<std::int32_t>(signedValue);
  }
  return sawDigit;
}

}  // namespace pos_video
