#include "search_time/wall_clock_text.h"

#include <cstddef>
#include <ctime>
#include <tuple>

#include "base/ascii_classes.h"
#include "search_time/time_text_parser.h"

namespace pos_video {
namespace {

// The time option's format, one element at a time, so that where a reading stops is known: the
// position before the element that fails. How many elements were read tells what the time gives.
constexpr const char* kElements[] = {"%Y", "-", "%m", "-", "%d", " %H", ":", "%M", ":", "%S"};
constexpr std::size_t kDateRead = 5;
constexpr std::size_t kHoursRead = 6;
constexpr std::size_t kMinutesRead = 8;
constexpr std::size_t kAllRead = 10;

const char* SkipBlanks(const char* position) {
  while (IsAsciiWhitespace(*position)) ++position;
  return position;
}

bool EndsTime(char c) { return c == '\0' || c == '"' || IsAsciiWhitespace(c); }

// The position after an "AM" or "PM" marker at `position` (behind blanks), or null when there is
// none; `afternoon` tells which.
const char* MatchDayPeriod(const char* position, bool* afternoon) {
  position = SkipBlanks(position);
  const char first = *position;
  if (first != 'A' && first != 'a' && first != 'P' && first != 'p') return nullptr;
  if (position[1] != 'M' && position[1] != 'm') return nullptr;
  if (!EndsTime(position[2])) return nullptr;
  *afternoon = first == 'P' || first == 'p';
  return position + 2;
}

auto Date(const WallClock& time) { return std::make_tuple(time.year, time.month, time.day); }

}  // namespace

std::optional<WallClock> ReadWallClockText(const std::string& text) {
  std::tm record{};
  const char* position = text.c_str();
  std::size_t read = 0;
  for (const char* element : kElements) {
    const char* next = ParseTimeText(position, element, &record);
    if (next == nullptr) break;
    position = next;
    ++read;
  }
  if (read < kDateRead) return std::nullopt;
  WallClock time{record.tm_year + 1900, record.tm_mon + 1, record.tm_mday};
  if (read >= kHoursRead) time.hour = record.tm_hour;
  if (read >= kMinutesRead) time.minute = record.tm_min;
  if (read >= kAllRead) time.second = record.tm_sec;

  bool afternoon = false;
  if (read >= kMinutesRead) {
    if (const char* end = MatchDayPeriod(position, &afternoon)) {
      if (time.hour < 1 || time.hour > 12) return std::nullopt;
      time.hour = time.hour % 12 + (afternoon ? 12 : 0);
      position = end;
    }
  }
  if (read < kAllRead) {
    position = SkipBlanks(position);
    if (*position != '\0' && *position != '"') return std::nullopt;
  }
  if (time.day > DaysInMonth(time.year, time.month)) return std::nullopt;
  if (Date(time) < Date(kEarliestWallClock) || Date(time) > Date(kLatestWallClock)) {
    return std::nullopt;
  }
  return time;
}

}  // namespace pos_video
