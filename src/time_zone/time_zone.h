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

// A zone's POSIX TZ rule and, for a zone of the compiled-in table, what it did before the rule
// (none for a rule given as text).
struct TimeZone {
  PosixRule rule;
  const ZoneRecord* record = nullptr;
};

// The tzdata release the compiled-in zones come from, such as "2025b".
const char* TimeZoneDataVersion();

// The CLDR release the Windows zone names come from, such as "41".
const char* WindowsZoneDataVersion();

// The zone a TimeZone value names: a zone or link name as tzdata.zi lists them ("America/Chicago",
// "UTC"; case counts), a Windows zone ID (read as WindowsZoneTarget's zone), or else a POSIX TZ
// rule with its rules written out ("<+0530>-5:30", "CST6CDT,M3.2.0,M11.1.0"). A named zone agrees
// with the tzdata it was built from on every date from 1970 on. None for an empty value,
// "Factory", "localtime", "posixrules", a rule naming a daylight time without its rules, a rule
// that UtcNamedOffset finds or that falls into the sign trap (see sign_trap.h), or anything else.
std::optional<TimeZone> FindTimeZone(const std::string& value);

// For a Windows time zone ID as CLDR's windowsZones.xml lists it, matched exactly ("W. Europe
// Standard Time"): the tzdata name CLDR maps it to for territory 001 ("Europe/Berlin"). Null for
// any other value. The IDs "UTC-08" and the like map too, but FindTimeZone refuses them.
const char* WindowsZoneTarget(const std::string& value);

// For a POSIX TZ rule whose standard time is named UTC or GMT (any case, with or without <>), or
// <UT> or <Z>, with an offset other than zero ("UTC+5", "<GMT>-3"): that offset as POSIX reads
// it, in seconds east of UTC (-5 h for "UTC+5"). Such a rule is refused: people who write it
// often mean the opposite sign, and the value cannot say which. None for any other value.
std::optional<std::int32_t> UtcNamedOffset(const std::string& value);

// For tzdata's Etc/GMT+N and Etc/GMT-N with N not zero: the zone's offset in seconds east of UTC.
// These names count hours west as positive: "Etc/GMT+5" is 5 h behind UTC. None for other values.
std::optional<std::int32_t> EtcGmtOffset(const std::string& value);

// A POSIX TZ rule for a fixed offset east of UTC, named as tzdata names such times: "<+05>-5",
// "<-0530>+5:30".
std::string FixedOffsetRule(std::int32_t offset);

// An offset east of UTC as ISO 8601 writes it: "UTC+05:00", "UTC-03:30".
std::string UtcOffsetText(std::int32_t offset);

enum class WallClockFit {
  kOnce,     // The wall clock shows that time once.
  kSkipped,  // A change moves the clock past it.
  kRepeated  // A change moves the clock back over it.
};

// A zone's local time: what the zone calls it, and its offset in seconds east of UTC.
struct ZoneLocalTime {
  std::string abbreviation;
  std::int32_t utcOffset = 0;
};

// The local time in force in `zone` at `utcSeconds`.
ZoneLocalTime ZoneTimeAt(const TimeZone& zone, std::int64_t utcSeconds);

// A wall-clock time read in a zone: the second it stands for, and what the zone calls the local
// time in force at that second.
struct ZoneConversion {
  std::int64_t utcSeconds = 0;
  std::string abbreviation;
  std::int32_t utcOffset = 0;  // Seconds east of UTC.
  WallClockFit fit = WallClockFit::kOnce;
  // Skipped: the local times before and after the change that skips it, the reading having
  // `before`'s offset. Repeated: those of its first and of its second occurrence.
  ZoneLocalTime before, after;
};

// Reads `wallClock` in `zone`. A time that a change skips is read with the offset in force before
// the change (so it lands as far after the change as the wall clock is past it); a time that
// occurs twice is read as its first occurrence.
ZoneConversion ConvertWallClock(const TimeZone& zone, const WallClock& wallClock);

}  // namespace pos_video
