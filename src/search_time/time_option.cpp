#include "search_time/time_option.h"

#include <cstddef>
#include <ctime>

#include "base/ascii_classes.h"
#include "base/command_line_option.h"
#include "base/report_message.h"
#include "search_time/wall_clock_text.h"

namespace pos_video {
namespace {

// The time option's text: behind the option up to the terminal option when that follows, so the
// two options may come in any order; without double quotes, since a Windows caller's quoting
// keeps them in the raw command line; without the blanks around it.
std::string OptionText(const std::string& commandLineText, std::size_t option) {
  std::size_t end = FindOption(commandLineText, 'n', option + 2);
  if (end == std::string::npos) end = commandLineText.size();
  std::string text;
  for (std::size_t i = option + 2; i < end; ++i) {
    if (commandLineText[i] != '"') text += commandLineText[i];
  }
  std::size_t first = 0;
  while (first < text.size() && IsAsciiWhitespace(text[first])) ++first;
  std::size_t last = text.size();
  while (last > first && IsAsciiWhitespace(text[last - 1])) --last;
  return text.substr(first, last - first);
}

void ReportUnreadable(MessageSink& messages, const std::string& optionText) {
  ReportMessage(messages, MessageKind::kTimeUnreadable,
                "Could not read the transaction time \"%s\": expected YYYY-MM-DD HH:MM:SS.",
                optionText.c_str());
}

}  // namespace

bool ReadTimeOption(const std::string& commandLineText, MessageSink& messages,
                    std::optional<WrittenTime>* time) {
  const std::size_t option = FindOption(commandLineText, 't');
  if (option == std::string::npos) {
    time->reset();
    return true;
  }
  const std::string optionText = OptionText(commandLineText, option);
  *time = ReadWallClockText(optionText);
  if (time->has_value()) return true;
  ReportUnreadable(messages, optionText);
  return false;
}

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

bool ReadSearchTime(const std::string& commandLineText, std::int64_t currentTime,
                    MessageSink& messages, std::int64_t* searchTime,
                    std::optional<WrittenTime>* optionTime, LocalTimeConversion localTimeSeconds) {
  std::optional<WrittenTime> ownTime;
  std::optional<WrittenTime>& time = optionTime != nullptr ? *optionTime : ownTime;
  if (!ReadTimeOption(commandLineText, messages, &time)) return false;
  if (!time) {
    *searchTime = currentTime;
    return true;
  }
  if (time->utcOffset) {
    *searchTime = WallClockSeconds(time->wallClock) - *time->utcOffset;
    return true;
  }
  const std::optional<std::int64_t> converted = localTimeSeconds(time->wallClock);
  if (converted) {
    *searchTime = *converted;
    return true;
  }
  ReportUnreadable(messages, OptionText(commandLineText, FindOption(commandLineText, 't')));
  return false;
}

}  // namespace pos_video
