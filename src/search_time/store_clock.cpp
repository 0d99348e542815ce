#include "search_time/store_clock.h"

namespace pos_video {

std::optional<StoreClockTime> OnStoreClock(std::int64_t pcSearchTime,
                                           const std::optional<WrittenTime>& time,
                                           const std::string& timeZone, std::int32_t clockOffset) {
  StoreClockTime storeTime{pcSearchTime, std::nullopt};
  if (!time) return storeTime;
  if (!timeZone.empty() && !time->utcOffset) {
    const std::optional<TimeZone> zone = FindTimeZone(timeZone);
    if (!zone) return std::nullopt;
    storeTime.zone = ConvertWallClock(*zone, time->wallClock);
    storeTime.searchTime = storeTime.zone->utcSeconds;
  }
  storeTime.searchTime += clockOffset;
  return storeTime;
}

}  // namespace pos_video
