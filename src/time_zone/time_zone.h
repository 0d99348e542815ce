// Time zones by tzdata name or POSIX TZ rule, and wall-clock times read in them. The zones are
// compiled in, so a conversion gives the same second on every PC, whatever its own zone and
// whether or not it has a zone database.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "base/wall_clock.h"
#include "time_zone/posix_rule.h"
#include "time_zone/zone_table.h"

namespace pos_video {

// A zone's present rule and, for the zones whose changes tzdata lists one by one, those changes
// (in the compiled-in table; none for a rule given as text).
struct TimeZone {
  PosixRule rule;
  const ListedChanges* listedChanges = nullptr;
};

// The tzdata release the compiled-in zones come from, such as "2025b".
const char* TimeZoneDataVersion();

// The zone a TimeZone value names: a zone or link name as tzdata.zi lists them ("America/Chicago",
// "UTC"; case counts), or else a POSIX TZ rule with its rules written out ("<+0530>-5:30",
// "CST6CDT,M3.2.0,M11.1.0"). From the year the program was built on, a named zone agrees with
// tzdata; before its last change of rules, its present rule is used. None for an empty value,
// "Factory", "localtime", "posixrules", a rule naming a daylight time without its rules, or
// anything else.
std::optional<TimeZone> FindTimeZone(const std::string& value);

enum class WallClockFit {
  kOnce,     // The wall clock shows that time once.
  kSkipped,  // A change moves the clock past it.
  kRepeated  // A change moves the clock back over it.
};

// A wall-clock time read in a zone: the second it stands for, and what the zone calls the local
// time in force at that second.
struct ZoneConversion {
  std::int64_t utcSeconds = 0;
  std::string abbreviation;
  std::int32_t utcOffset = 0;  // Seconds east of UTC.
  WallClockFit fit = WallClockFit::kOnce;
};

// Reads `wallClock` in `zone`. A time that a change skips is read with the offset in force before
// the change (so it lands as far after the change as the wall clock is past it); a time that
// occurs twice is read as its first occurrence.
ZoneConversion ConvertWallClock(const TimeZone& zone, const WallClock& wallClock);

}  // namespace pos_video
