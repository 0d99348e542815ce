#include "search_time/time_option.h"

#include <climits>
#include <cstddef>
#include <ctime>
#include <limits>

#include "base/ascii_classes.h"
#include "base/command_line_option.h"
#include "base/report_message.h"
#include "search_time/time_text_parser.h"

namespace pos_video {
namespace {

constexpr char kTimeFormat[] = "%Y-%m-%d %T";

// The search time has always been a signed 32-bit count; earlier results are refused as the
// failure they would have been there. Later ones are kept, so dates after 2038 still work.
constexpr std::int64_t kEarliestSearchTime = std::numeric_limits<std::int32_t>::min();

// The text behind the option, without the blanks before it, up to the terminal option when that
// follows, so the two options may come in any order.
std::string TimeText(const std::string& commandLineText, std::size_t option) {
  std::size_t start = option + 2;
  while (start < commandLineText.size() && IsAsciiWhitespace(commandLineText[start])) ++start;
  std::size_t end = FindOption(commandLineText, 'n', start);
  if (end == std::string::npos) end = commandLineText.size();
  while (end > start && IsAsciiWhitespace(commandLineText[end - 1])) --end;
  return commandLineText.substr(start, end - start);
}

// The local time the text gives, when it gives at least a whole date and converts.
bool ConvertTimeText(const std::string& timeText, std::int64_t* searchTime) {
  // Marks that no directive writes, so that what the parser reached shows afterwards; fields of
  // the time of day it did not reach count from midnight.
  std::tm record{};
  record.tm_year = INT_MIN;
  record.tm_mon = -1;
  ParseTimeText(timeText.c_str(), kTimeFormat, &record);
  if (record.tm_year == INT_MIN || record.tm_mon < 0 || record.tm_mday == 0) return false;
  record.tm_isdst = -1;
  // A successful conversion normalises the weekday; -1 alone is a valid time, a second before
  // 1970 in UTC.
  record.tm_wday = -1;
  const std::time_t converted = std::mktime(&record);
  if (converted == static_cast<std::time_t>(-1) && record.tm_wday < 0) return false;
  if (converted < kEarliestSearchTime) return false;
  *searchTime = converted;
  return true;
}

}  // namespace

bool ReadSearchTime(const std::string& commandLineText, std::int64_t currentTime,
                    MessageSink& messages, std::int64_t* searchTime) {
  const std::size_t option = FindOption(commandLineText, 't');
  if (option == std::string::npos) {
    *searchTime = currentTime;
    return true;
  }
  const std::string timeText = TimeText(commandLineText, option);
  if (ConvertTimeText(timeText, searchTime)) return true;
  ReportMessage(messages, MessageKind::kTimeUnreadable,
                "Could not read the transaction time \"%s\": expected YYYY-MM-DD HH:MM:SS.",
                timeText.c_str());
  return false;
}

}  // namespace pos_video
