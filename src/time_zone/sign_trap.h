// Abbreviations that say the opposite of their offset. POSIX counts a rule's offsets west of UTC:
// "CET+1" reads as UTC-01:00, while whoever wrote it meant CET, UTC+01:00, with the everyday
// sign. What tzdata gives the abbreviation tells the two apart.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "time_zone/posix_rule.h"

namespace pos_video {

enum class AbbreviationFit {
  kAsTzdata,     // tzdata gives the abbreviation this offset, or it is numeric and says it.
  kOpposite,     // tzdata gives it the opposite offset, not zero: the sign trap.
  kOtherOffset,  // tzdata gives it only other offsets ("GST-4": tzdata's GST is UTC+10:00).
  kUnknown,      // tzdata never gives it.
};

// One of a rule's local times and what tzdata says of its abbreviation.
struct AbbreviationReading {
  std::string name;     // As written, without <>.
  std::int32_t offset;  // As POSIX reads it, seconds east of UTC.
  bool plusWritten;     // The text writes the offset with a + ("ABC+3").
  AbbreviationFit fit;
  // The offsets tzdata gives the name since 1970, smallest first; a numeric name ("+0530") gives
  // its own.
  std::vector<std::int32_t> tzdataOffsets;
};

// The rule's standard time, then its daylight time when it has one.
std::vector<AbbreviationReading> ReadAbbreviations(const PosixRule& rule);

// Whether one of the rule's times is the opposite of what tzdata gives its abbreviation.
bool FallsIntoSignTrap(const PosixRule& rule);

// How a POSIX rule writes a local time: "CET-1", "<+03>-3", "<-0530>+5:30".
std::string PosixLocalTimeText(const std::string& name, std::int32_t offset);

}  // namespace pos_video
