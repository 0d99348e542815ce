// Reading the time option's text into a wall-clock time, whole or not at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/wall_clock.h"

namespace pos_video {

// The first and last days a time may name, wall clock: every zone converts them to a second
// that both builds can count.
constexpr WallClock kEarliestWallClock{1970, 1, 2, 0, 0, 0};
constexpr WallClock kLatestWallClock{3000, 12, 30, 23, 59, 59};

// A time as the caller wrote it: the wall clock, and the offset from UTC it is to be read at when
// the time names one.
struct WrittenTime {
  WallClock wallClock;
  std::optional<std::int32_t> utcOffset;  // Seconds east of UTC, as ISO 8601 signs it.
};

// Reads "YYYY-MM-DD HH:MM:SS" from the start of `text`. The reading may stop after the date
// (midnight), after the hours or after the minutes (the fields not reached count as zero), but
// only where the text ends or only blanks remain. Text after a whole date and time is ignored.
// After the seconds, a fraction (".123", ",5") is dropped. After the minutes, the seconds or the
// fraction, and behind blanks or none:
// - "AM" or "PM" in either case, a period after either letter or both ("p.m.", "A.M", "PM."),
//   followed by the end, a blank or an offset, reads the hours on the 12-hour clock; they must
//   then be 1 to 12;
// - then an offset from UTC: "Z", or "UTC", "GMT" or "UT" alone or followed (behind blanks or
//   none) by a signed offset, in any case; or a signed offset alone: "+5", "+05", "+0530",
//   "+5:30", "+05:30", hours 0 to 14, minutes 00 to 59. It ends at the end or at a blank.
// Returns none when the text gives no such time, when a sign followed by a digit or a designator
// starts an offset that is not one ("+15", "+530", "+02:00x", "UTCx"), when the day is beyond
// its month's length, or when the day lies outside the days of kEarliestWallClock to
// kLatestWallClock.
std::optional<WrittenTime> ReadWallClockText(const std::string& text);

}  // namespace pos_video
