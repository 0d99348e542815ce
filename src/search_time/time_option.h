// The time option: lets the audit application place the search around the transaction's time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/platform.h"
#include "base/wall_clock.h"
#include "search_time/wall_clock_text.h"

namespace pos_video {

// The second a wall-clock time of the PC's own zone stands for, or none when the system cannot
// convert it.
std::optional<std::int64_t> LocalTimeSeconds(const WallClock& wallClock);

using LocalTimeConversion = std::optional<std::int64_t> (*)(const WallClock&);

// The search time as the PC reads it, and the time as written (none without a time option).
struct PcSearchTime {
  std::int64_t seconds = 0;
  std::optional<WrittenTime> time;
};

// The time a launch asks for: `currentTime` without a time text; otherwise the text read by the
// rules of ReadWallClockText, at the offset it names, or else by `localTimeSeconds` as the PC's
// local time. When it cannot be read or converted, shows a message naming the text and returns
// none.
std::optional<PcSearchTime> ReadSearchTime(const std::optional<std::string>& timeText,
                                           std::int64_t currentTime, MessageSink& messages,
                                           LocalTimeConversion localTimeSeconds = LocalTimeSeconds);

}  // namespace pos_video
