// The time zones compiled in from tzdata at build time (the table is generated, see
// cmake/generate_time_zone_table.py).
#pragma once

#include <cstddef>
#include <cstdint>

namespace pos_video {

// A local time a zone switches to: seconds east of UTC, and where its abbreviation starts in
// kZoneAbbreviationText.
struct ZoneType {
  std::int32_t offset;
  std::uint16_t abbreviation;
};

// What a zone (and its links) does from 1970 on: the local time type in force on 1970-01-01, then
// the changes tzdata lists one by one, kChangeTimes[firstChange] (seconds since 1970, UTC) and on,
// to kChangeTypes' type at each, then from the last of them on the zone's POSIX TZ rule. The rule
// starts in kZoneRuleText; without listed changes it holds from 1970 on.
struct ZoneRecord {
  std::uint16_t rule;
  std::uint8_t initialType;
  std::uint16_t changeCount;
  std::uint32_t firstChange;
};

// Where a zone or link name starts in kZoneNameText, and its record in kZoneRecords. Sorted by
// name, byte by byte.
struct ZoneName {
  std::uint16_t nameOffset;
  std::uint16_t record;
};

// An abbreviation that a zone's local time has had since 1970 (where it starts in
// kZoneAbbreviationText; numeric ones such as "+03" left out) and an offset it stood for.
struct AbbreviationOffset {
  std::uint16_t abbreviation;
  std::int32_t offset;
};

// A Windows time zone ID (where it starts in kWindowsZoneText) and the zone CLDR maps it to for
// territory 001 (its index in kZoneNames).
struct WindowsZoneName {
  std::uint16_t windowsName;
  std::uint16_t zoneName;
};

extern const char kTimeZoneDataVersion[];
extern const char kCldrVersion[];
// The rules, the abbreviations and the names: each ended by a NUL.
extern const char kZoneRuleText[];
extern const char kZoneAbbreviationText[];
extern const ZoneType kZoneTypes[];
// 32 bits: tzdata lists no change after 2106.
extern const std::uint32_t kChangeTimes[];
extern const std::uint8_t kChangeTypes[];
extern const ZoneRecord kZoneRecords[];
extern const char kZoneNameText[];
extern const ZoneName kZoneNames[];
extern const std::size_t kZoneNameCount;
// Sorted by abbreviation, byte by byte, then by offset.
extern const AbbreviationOffset kAbbreviationOffsets[];
extern const std::size_t kAbbreviationOffsetCount;
// Sorted by ID, byte by byte.
extern const char kWindowsZoneText[];
extern const WindowsZoneName kWindowsZoneNames[];
extern const std::size_t kWindowsZoneNameCount;

}  // namespace pos_video
