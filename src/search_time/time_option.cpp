#include "search_time/time_option.h"

#include <ctime>

#include "base/report_message.h"
#include "search_time/wall_clock_text.h"

namespace pos_video {
namespace {

void ReportUnreadable(MessageSink& messages, const std::string& timeText,
                      const std::string& dayPeriodWord) {
  if (!dayPeriodWord.empty()) {
    ReportMessage(messages, MessageKind::kTimeUnreadable,
                  "Could not read the transaction time \"%s\": \"%s\" may say AM or PM; expected "
                  "YYYY-MM-DD HH:MM:SS.",
                  timeText.c_str(), dayPeriodWord.c_str());
    return;
  }
  ReportMessage(messages, MessageKind::kTimeUnreadable,
                "Could not read the transaction time \"%s\": expected YYYY-MM-DD HH:MM:SS.",
                timeText.c_str());
}

}  // namespace

std::optional<std::int64_t> LocalTimeSeconds(const WallClock& wallClock) {
  std::tm record{};
  record.tm_year = wallClock.year - 1900;
  record.tm_mon = wallClock.month - 1;
  record.tm_mday = wallClock.day;
  record.tm_hour = wallClock.hour;
  record.tm_min = wallClock.minute;
  record.tm_sec = wallClock.second;
  record.tm_isdst = -1;
  // A successful conversion normalises the weekday; -1 alone is a valid time, a second before
  // 1970 in UTC.
  record.tm_wday = -1;
  const std::time_t converted = std::mktime(&record);
  if (converted == static_cast<std::time_t>(-1) && record.tm_wday < 0) return std::nullopt;
  return converted;
}

std::optional<PcSearchTime> ReadSearchTime(const std::optional<std::string>& timeText,
                                           std::int64_t currentTime, MessageSink& messages,
                                           LocalTimeConversion localTimeSeconds) {
  if (!timeText) return PcSearchTime{currentTime, std::nullopt};
  std::string dayPeriodWord;
  const std::optional<WrittenTime> time = ReadWallClockText(*timeText, &dayPeriodWord);
  if (time && time->utcOffset) {
    return PcSearchTime{WallClockSeconds(time->wallClock) - *time->utcOffset, time};
  }
  const std::optional<std::int64_t> converted =
      time ? localTimeSeconds(time->wallClock) : std::nullopt;
  if (converted) return PcSearchTime{*converted, time};
  ReportUnreadable(messages, *timeText, dayPeriodWord);
  return std::nullopt;
}

}  // namespace pos_video
