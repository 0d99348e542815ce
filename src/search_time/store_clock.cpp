#include "search_time/store_clock.h"

namespace pos_video {

std::optional<StoreClockTime> OnStoreClock(std::int64_t pcSearchTime,
                                           const std::optional<WallClock>& wallClock,
                                           const std::string& timeZone, std::int32_t clockOffset) {
  StoreClockTime time{pcSearchTime, std::nullopt};
  if (!wallClock) return time;
  if (!timeZone.empty()) {
    const std::optional<TimeZone> zone = FindTimeZone(timeZone);
    if (!zone) return std::nullopt;
    time.zone = ConvertWallClock(*zone, *wallClock);
    time.searchTime = time.zone->utcSeconds;
  }
  time.searchTime += clockOffset;
  return time;
}

}  // namespace pos_video
