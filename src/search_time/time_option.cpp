#include "search_time/time_option.h"

#include <cstddef>
#include <ctime>
#include <limits>

#include "base/command_line_option.h"
#include "search_time/time_text_parser.h"

namespace pos_video {
namespace {

constexpr char kTimeFormat[] = "%Y-%m-%d %T";

// The search time has always been a signed 32-bit count; earlier results are treated as the
// failure they would have been there. Later ones are kept, so dates after 2038 still work.
constexpr std::int64_t kEarliestSearchTime = std::numeric_limits<std::int32_t>::min();

}  // namespace

std::int64_t ReadSearchTime(const std::string& commandLineText, std::int64_t currentTime) {
  const std::size_t option = FindOption(commandLineText, 't');
  if (option == std::string::npos) return currentTime;

  // The time text runs to the terminal option when that follows, so the two may come in any order.
  const std::size_t start = option + 2;
  std::size_t end = FindOption(commandLineText, 'n', start);
  if (end == std::string::npos) end = commandLineText.size();
  const std::string timeText = commandLineText.substr(start, end - start);

  // A time text that does not match leaves the fields it did not reach at zero; the conversion
  // below normalises whatever was read, so the parser's result is of no further use.
  std::tm record{};
  ParseTimeText(timeText.c_str(), kTimeFormat, &record);
  record.tm_isdst = -1;

  const std::time_t converted = std::mktime(&record);
  if (converted == static_cast<std::time_t>(-1)) return -1;
  const std::int64_t searchTime = converted;
  return searchTime < kEarliestSearchTime ? -1 : searchTime;
}

}  // namespace pos_video
