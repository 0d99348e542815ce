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
  // A zone abbreviation written after the time ("EST"), for the terminal's zone to settle; empty
  // when there is none.
  std::string abbreviation;
};

// Reads "YYYY-MM-DD HH:MM:SS" from the start of `text`. A blank is ASCII whitespace or a Unicode
// space separator in UTF-8 (see text_blanks.h). The reading may stop after the date (midnight),
// after the hours or after the minutes (the fields not reached count as zero), but only where the
// text ends or only blanks remain. Text after a whole date and time is ignored, but for the word
// below. After the seconds, a fraction (".123", ",5") is dropped. After the minutes, the seconds
// or the fraction, and behind blanks or none:
// - "AM" or "PM" in either case, a period after either letter or both ("p.m.", "A.M", "PM."),
//   with one blank allowed after the first period ("p. m."), followed by the end, a blank or an
//   offset, reads the hours on the 12-hour clock; they must then be 1 to 12;
// - then an offset from UTC: "Z", or "UTC", "GMT" or "UT" alone or followed (behind blanks or
//   none) by a signed offset, in any case; or a signed offset alone: "+5", "+05", "+0530",
//   "+5:30", "+05:30", hours 0 to 14, minutes 00 to 59. It ends at the end or at a blank;
// - or else, behind a blank, a word of 2 to 6 capital letters that tzdata uses as a zone
//   abbreviation since 1970 ("EST"), ending at the end or a blank, kept in `abbreviation`.
// Returns none when the text gives no such time, when a sign followed by a digit or a designator
// starts an offset that is not one ("+15", "+530", "+02:00x", "UTCx"), when the day is beyond
// its month's length, or when the day lies outside the days of kEarliestWallClock to
// kLatestWallClock. Returns none too when the hours are 0 to 12, none of the above follows, and
// the first word after the time (behind blanks, up to the next) may say AM or PM in another
// language: it holds an ASCII letter, a character beyond ASCII or a "?", and does not start with
// "-" or "/". That word is then stored in `*dayPeriodWord` when given.
std::optional<WrittenTime> ReadWallClockText(const std::string& text,
                                             std::string* dayPeriodWord = nullptr);

}  // namespace pos_video
