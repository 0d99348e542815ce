// A transaction's time on the store's clocks: the time option's wall clock read in the terminal's
// zone, then moved onto the recorder's clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/platform.h"
#include "search_time/wall_clock_text.h"
#include "time_zone/time_zone.h"

namespace pos_video {

struct StoreClockTime {
  std::int64_t searchTime = 0;
  // How the zone read the wall clock, when there is a zone and the time names no offset of its own.
  std::optional<ZoneConversion> zone;
  // Whether the zone read it at the offset of the abbreviation written with the time.
  bool atAbbreviation = false;
};

// `pcSearchTime` is the search time as read on the PC: the current time when `time` is none (no
// time option), and then it stays as it is, being absolute already. Otherwise the wall clock is
// read in `timeZone` (a TimeZone value; empty for the PC's own zone, which `pcSearchTime` already
// used), unless the time names its own offset, which `pcSearchTime` already used too; a zone
// abbreviation written with the time picks the zone's reading (ConvertAtAbbreviation). Then
// `clockOffset` is added. None when the zone is used and `timeZone` names none, and, with the
// time message naming `timeText`, when the zone never uses the time's abbreviation.
std::optional<StoreClockTime> OnStoreClock(std::int64_t pcSearchTime,
                                           const std::optional<WrittenTime>& time,
                                           const std::string& timeZone, std::int32_t clockOffset,
                                           const std::string& timeText, MessageSink& messages);

}  // namespace pos_video
