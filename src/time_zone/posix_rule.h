// POSIX TZ rules ("CST6CDT,M3.2.0,M11.1.0"): reading one, and the offset it gives at a moment.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace pos_video {

// The day of the year a clock change falls on, and the local time of day it happens at.
struct ChangeDay {
  enum class Form { kJulian, kZeroBased, kMonthWeekDay };
  Form form = Form::kMonthWeekDay;
  int day = 0;  // Jn: 1 to 365, Feb 29 never counted; n: 0 to 365, Feb 29 counted.
  int month = 1, week = 1, weekday = 0;  // Mm.w.d: week 5 is the month's last such weekday.
  std::int32_t time = 2 * 3600;          // Seconds after local midnight, may be negative.
};

// Offsets in seconds east of UTC (the rule text writes them west of it).
struct PosixRule {
  std::string standardName;
  std::int32_t standardOffset = 0;
  bool hasDaylight = false;
  std::string daylightName;
  std::int32_t daylightOffset = 0;
  ChangeDay daylightStart, daylightEnd;
  // Whether the text writes a + before the offset ("ABC+3"): the sign that people misread.
  bool standardPlus = false, daylightPlus = false;
};

// Reads a whole POSIX TZ rule: a standard time's name and offset, and optionally a daylight time's
// name, its offset (one hour ahead of standard when left out) and the days and times it starts
// and ends. Names have at least 3 letters, or are written in <> with letters, digits, + and -.
// Returns none for anything else, and for a daylight time without its start and end.
std::optional<PosixRule> ParsePosixRule(const std::string& text);

// Whether daylight time is in force at `utcSeconds` under `rule`, as glibc decides it: from the
// start and end of daylight time that the rule gives the moment's year (UTC); daylight time lies
// between them, or, when the end comes first, outside them.
bool IsDaylightAt(const PosixRule& rule, std::int64_t utcSeconds);

// The moments in the UTC year holding `utcSeconds` at which the rule may change, in no order: the
// year's first second, where the year's start and end are taken afresh, and those two.
std::array<std::int64_t, 3> PossibleChanges(const PosixRule& rule, std::int64_t utcSeconds);

}  // namespace pos_video
