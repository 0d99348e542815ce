#include "search_time/store_clock.h"

#include "base/report_message.h"
#include "time_zone/zone_abbreviations.h"

namespace pos_video {
namespace {

// An offset as the time's text may give it: "-05:00".
std::string WrittenOffset(std::int32_t offset) { return UtcOffsetText(offset).substr(3); }

}  // namespace

std::optional<StoreClockTime> OnStoreClock(std::int64_t pcSearchTime,
                                           const std::optional<WrittenTime>& time,
                                           const std::string& timeZone, std::int32_t clockOffset,
                                           const std::string& timeText, MessageSink& messages) {
  StoreClockTime storeTime{pcSearchTime, std::nullopt};
  if (!time) return storeTime;
  if (!timeZone.empty() && !time->utcOffset) {
    const std::optional<TimeZone> zone = FindTimeZone(timeZone);
    if (!zone) return std::nullopt;
    storeTime.zone = ConvertWallClock(*zone, time->wallClock);
    if (!time->abbreviation.empty()) {
      const std::optional<ZoneConversion> named =
          ConvertAtAbbreviation(*zone, time->wallClock, time->abbreviation);
      if (!named) {
        ReportMessage(messages, MessageKind::kTimeUnreadable,
                      "Could not read the transaction time \"%s\": the terminal's TimeZone \"%s\" "
                      "never uses \"%s\"; give an offset such as %s instead.",
                      timeText.c_str(), timeZone.c_str(), time->abbreviation.c_str(),
                      WrittenOffset(storeTime.zone->utcOffset).c_str());
        return std::nullopt;
      }
      storeTime.zone = named;
      storeTime.atAbbreviation = true;
    }
    storeTime.searchTime = storeTime.zone->utcSeconds;
  }
  storeTime.searchTime += clockOffset;
  return storeTime;
}

}  // namespace pos_video
