#include "search_time/time_option.h"

#include <cstddef>
#include <ctime>

#include "base/ascii_classes.h"
#include "base/command_line_option.h"
#include "base/report_message.h"
#include "search_time/wall_clock_text.h"

namespace pos_video {
namespace {

// The time option's text: behind the option, without the blanks before it, up to the terminal
// option when that follows, so the two options may come in any order.
std::string OptionText(const std::string& commandLineText, std::size_t option) {
  std::size_t start = option + 2;
  while (start < commandLineText.size() && IsAsciiWhitespace(commandLineText[start])) ++start;
  std::size_t end = FindOption(commandLineText, 'n', start);
  if (end == std::string::npos) end = commandLineText.size();
  while (end > start && IsAsciiWhitespace(commandLineText[end - 1])) --end;
  return commandLineText.substr(start, end - start);
}

// What a message shows of the option's text: a quoted time without its quotes, and without what
// follows the closing one, as the caller passed it; an unquoted one whole.
std::string ShownText(const std::string& optionText) {
  if (optionText.empty() || optionText[0] != '"') return optionText;
  return optionText.substr(1, optionText.find('"', 1) - 1);
}

void ReportUnreadable(MessageSink& messages, const std::string& optionText) {
  ReportMessage(messages, MessageKind::kTimeUnreadable,
                "Could not read the transaction time \"%s\": expected YYYY-MM-DD HH:MM:SS.",
                ShownText(optionText).c_str());
}

}  // namespace

bool ReadTimeOption(const std::string& commandLineText, MessageSink& messages,
                    std::optional<WallClock>* wallClock) {
  const std::size_t option = FindOption(commandLineText, 't');
  if (option == std::string::npos) {
    wallClock->reset();
    return true;
  }
  const std::string optionText = OptionText(commandLineText, option);
  std::size_t start = 0;
  if (!optionText.empty() && optionText[0] == '"') {
    start = 1;
    while (start < optionText.size() && IsAsciiWhitespace(optionText[start])) ++start;
  }
  *wallClock = ReadWallClockText(optionText.substr(start));
  if (wallClock->has_value()) return true;
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
                    std::optional<WallClock>* optionTime) {
  std::optional<WallClock> ownWallClock;
  std::optional<WallClock>& wallClock = optionTime != nullptr ? *optionTime : ownWallClock;
  if (!ReadTimeOption(commandLineText, messages, &wallClock)) return false;
  if (!wallClock) {
    *searchTime = currentTime;
    return true;
  }
  const std::optional<std::int64_t> converted = LocalTimeSeconds(*wallClock);
  if (converted) {
    *searchTime = *converted;
    return true;
  }
  ReportUnreadable(messages, OptionText(commandLineText, FindOption(commandLineText, 't')));
  return false;
}

}  // namespace pos_video
