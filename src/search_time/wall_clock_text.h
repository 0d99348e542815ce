// Reading the time option's text into a wall-clock time, whole or not at all.
#pragma once

#include <optional>
#include <string>

#include "base/wall_clock.h"

namespace pos_video {

// The first and last days a time may name, wall clock: every zone converts them to a second
// that both builds can count.
constexpr WallClock kEarliestWallClock{1970, 1, 2, 0, 0, 0};
constexpr WallClock kLatestWallClock{3000, 12, 30, 23, 59, 59};

// Reads "YYYY-MM-DD HH:MM:SS" from the start of `text`. The reading may stop after the date
// (midnight), after the hours or after the minutes (the fields not reached count as zero), but
// only where the text ends, or where only blanks remain, or at a double quote, which ends the time
// as a caller's quoting does. Text after a whole date and time is ignored. "AM" or "PM" in either
// case, after the minutes or the seconds and behind blanks or none, and followed by the end, a
// blank or a double quote, reads the hours on the 12-hour clock; they must then be 1 to 12.
// Returns none when the text gives no such time, when the day is beyond its month's length, or
// when the day lies outside the days of kEarliestWallClock to kLatestWallClock.
std::optional<WallClock> ReadWallClockText(const std::string& text);

}  // namespace pos_video
