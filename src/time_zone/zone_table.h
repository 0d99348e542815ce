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

// The changes tzdata lists one by one for the zones of kZoneRules[record], in order: at times[i]
// (UTC) the zone switches to types[typeIndexes[i]]. The rule holds before the first of them and
// from the last one on.
struct ListedChanges {
  std::uint16_t record;
  const std::int64_t* times;
  const std::uint8_t* typeIndexes;
  const ZoneType* types;
  std::size_t count;
};

// Where a zone or link name starts in kZoneNameText, and its record: the index of its POSIX TZ
// rule in kZoneRules. Sorted by name, byte by byte.
struct ZoneName {
  std::uint16_t nameOffset;
  std::uint16_t record;
};

extern const char kTimeZoneDataVersion[];
// The year the table was made: from 1 January of it on, every zone agrees with tzdata.
extern const int kZoneTableYear;
extern const char* const kZoneRules[];
extern const ListedChanges kListedChanges[];
extern const std::size_t kListedChangesCount;
// The names, each ended by a NUL.
extern const char kZoneNameText[];
extern const ZoneName kZoneNames[];
extern const std::size_t kZoneNameCount;

}  // namespace pos_video
