// Zone abbreviations ("EST", "CEST") written after a time: which words tzdata uses as such, and
// reading a wall clock at the offset one of them has in a given zone. The same letters mean
// different offsets in different places, so an abbreviation only ever picks among the readings of
// a zone already chosen, never a zone of its own.
#pragma once

#include <optional>
#include <string>

#include "base/wall_clock.h"
#include "time_zone/time_zone.h"

namespace pos_video {

// Whether the compiled-in tzdata uses `word` as the abbreviation of a local time, in some zone
// since 1970 or in the POSIX TZ rule a zone follows afterwards.
bool IsZoneAbbreviation(const std::string& word);

// Reads `wallClock` in `zone` at the offset `abbreviation` has there: the abbreviations of its
// tzdata record since 1970 and of its rule, or for a rule given as text the names it writes.
// Where the wall clock shows that time twice, the occurrence the abbreviation is in force at, the
// first when it is at both; where it is in force at neither reading, the offset of its use nearest
// the date. The conversion names the abbreviation and that offset. None when the zone never uses
// the abbreviation.
std::optional<ZoneConversion> ConvertAtAbbreviation(const TimeZone& zone,
                                                    const WallClock& wallClock,
                                                    const std::string& abbreviation);

}  // namespace pos_video
