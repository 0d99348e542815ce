// The time zones compiled in from tzdata at build time (the table is generated, see
// cmake/generate_time_zone_table.cmake).
#pragma once

#include <cstddef>
#include <cstdint>

namespace pos_video {

// A local time a zone switches to: seconds east of UTC, whether tzdata calls it daylight time,
// and its abbreviation.
struct ZoneType {
  std::int32_t offset;
  bool daylight;
  const char* abbreviation;
};

// A zone's POSIX TZ rule and, for the few zones whose changes tzdata lists one by one, those
// changes in order: at changeTimes[i] (UTC) the zone switches to types[changeTypes[i]]. The rule
// holds before the first and from the last of them on.
struct ZoneRecord {
  const char* rule;
  const std::int64_t* changeTimes;
  const std::uint8_t* changeTypes;
  const ZoneType* types;
  std::size_t changeCount;
};

// A zone or link name and its record in kZoneRecords; sorted by name, byte by byte.
struct ZoneName {
  const char* name;
  std::uint16_t record;
};

extern const char kTimeZoneDataVersion[];
// The year the table was made: from 1 January of it on, every zone agrees with tzdata.
extern const int kZoneTableYear;
extern const ZoneRecord kZoneRecords[];
extern const ZoneName kZoneNames[];
extern const std::size_t kZoneNameCount;

}  // namespace pos_video
