#include "search_time/wall_clock_text.h"

#include <algorithm>
#include <cstddef>
#include <ctime>
#include <tuple>
#include <utility>

#include "base/ascii_classes.h"
#include "search_time/text_blanks.h"
#include "search_time/time_text_parser.h"
#include "time_zone/zone_abbreviations.h"

namespace pos_video {
namespace {

// The time option's format, one element at a time, so that where a reading stops is known: the
// position before the element that fails. How many elements were read tells what the time gives.
// The blanks before the hours are skipped apart, since the parser knows only ASCII ones.
constexpr const char* kElements[] = {"%Y", "-", "%m", "-", "%d", "%H", ":", "%M", ":", "%S"};
constexpr std::size_t kDateRead = 5;
constexpr std::size_t kHoursRead = 6;
constexpr std::size_t kMinutesRead = 8;
constexpr std::size_t kAllRead = 10;

// Longest first: "UT" is a prefix of "UTC".
constexpr const char* kUtcDesignators[] = {"UTC", "GMT", "UT", "Z"};
constexpr int kLargestOffsetHours = 14;
// Zone abbreviations are written in capitals, two to six of them.
constexpr std::size_t kShortestAbbreviation = 2;
constexpr std::size_t kLongestAbbreviation = 6;
// On a twelve-hour clock, or on one that counts 0 to 11.
constexpr int kLastTwelveHour = 12;

bool EndsWord(const char* position) { return *position == '\0' || BlankLength(position) > 0; }

bool IsSign(char c) { return c == '+' || c == '-'; }

int TwoDigits(const char* digits) { return (digits[0] - '0') * 10 + (digits[1] - '0'); }

// The position after a UTC designator at `position`, in any case, or null when none is there.
const char* MatchDesignator(const char* position) {
  for (const char* designator : kUtcDesignators) {
    // The text's NUL matches no letter, so nothing past it is read.
    std::size_t length = 0;
    while (designator[length] != '\0' && UpperAscii(position[length]) == designator[length]) {
      ++length;
    }
    if (designator[length] == '\0') return position + length;
  }
  return nullptr;
}

// The position after an "AM" or "PM" marker at `position`, periods included, or null when there
// is none; `afternoon` tells which.
const char* MatchDayPeriod(const char* position, bool* afternoon) {
  const char first = LowerAscii(*position);
  if (first != 'a' && first != 'p') return nullptr;
  const char* cursor = position + 1;
  // One blank may follow the first period ("p. m.").
  if (*cursor == '.') {
    ++cursor;
    cursor += BlankLength(cursor);
  }
  if (LowerAscii(*cursor) != 'm') return nullptr;
  ++cursor;
  if (*cursor == '.') ++cursor;
  if (!EndsWord(cursor) && !IsSign(*cursor) && MatchDesignator(cursor) == nullptr) return nullptr;
  *afternoon = first == 'p';
  return cursor;
}

// Reads the signed offset whose sign is at `*position` into seconds east of UTC and moves past
// it; false when the text there makes no offset that ends at the end or a blank.
bool ReadSignedOffset(const char** position, std::int32_t* offset) {
  const char* cursor = *position + 1;
  const char* digits = cursor;
  while (IsAsciiDigit(*cursor)) ++cursor;
  int hours = 0;
  int minutes = 0;
  if (cursor - digits == 4) {
    hours = TwoDigits(digits);
    minutes = TwoDigits(digits + 2);
  } else if (cursor - digits == 1 || cursor - digits == 2) {
    hours = cursor - digits == 1 ? *digits - '0' : TwoDigits(digits);
    if (*cursor == ':') {
      if (!IsAsciiDigit(cursor[1]) || !IsAsciiDigit(cursor[2])) return false;
      minutes = TwoDigits(cursor + 1);
      cursor += 3;
    }
  } else {
    return false;
  }
  if (hours > kLargestOffsetHours || minutes > 59 || !EndsWord(cursor)) return false;
  *offset = (**position == '-' ? -1 : 1) * (hours * 3600 + minutes * 60);
  *position = cursor;
  return true;
}

// Reads the offset from UTC that may follow the time at `*position`, behind blanks or none, and
// moves past it. Stores none and stays when no offset starts there (a sign not followed by a digit
// starts none); returns false when one starts that is not an offset.
bool ReadUtcOffset(const char** position, std::optional<std::int32_t>* offset) {
  const char* cursor = SkipBlanks(*position);
  std::int32_t seconds = 0;
  if (IsSign(*cursor) && IsAsciiDigit(cursor[1])) {
    if (!ReadSignedOffset(&cursor, &seconds)) return false;
  } else if (const char* end = MatchDesignator(cursor)) {
    cursor = end;
    const char* behind = SkipBlanks(cursor);
    // Right after the designator a sign must start an offset; behind blanks, one that does not
    // is other text.
    if (IsSign(*cursor) || (IsSign(*behind) && IsAsciiDigit(behind[1]))) {
      if (!ReadSignedOffset(&behind, &seconds)) return false;
      cursor = behind;
    } else if (!EndsWord(cursor)) {
      return false;
    }
  } else {
    return true;
  }
  *offset = seconds;
  *position = cursor;
  return true;
}

// Reads a zone abbreviation behind blanks at `*position` into `abbreviation` and moves past it;
// false, and nothing moves, when no word that tzdata uses as one stands there.
bool ReadAbbreviation(const char** position, std::string* abbreviation) {
  if (BlankLength(*position) == 0) return false;
  const char* start = SkipBlanks(*position);
  const char* end = start;
  while (*end >= 'A' && *end <= 'Z') ++end;
  const std::size_t length = static_cast<std::size_t>(end - start);
  if (length < kShortestAbbreviation || length > kLongestAbbreviation || !EndsWord(end)) {
    return false;
  }
  std::string word(start, end);
  if (!IsZoneAbbreviation(word)) return false;
  *abbreviation = std::move(word);
  *position = end;
  return true;
}

// The first word at `position`, behind blanks, when it may say AM or PM in some language: it
// holds an ASCII letter, a character beyond ASCII, or the "?" a code page leaves of one it cannot
// hold. Words that start like another option, or hold digits and signs only, say none.
std::optional<std::string> DayPeriodLikeWord(const char* position) {
  const char* start = SkipBlanks(position);
  const char* end = start;
  while (!EndsWord(end)) ++end;
  if (*start == '-' || *start == '/') return std::nullopt;
  const bool local = std::any_of(start, end, [](char c) {
    return IsAsciiLetter(c) || static_cast<unsigned char>(c) > 127 || c == '?';
  });
  if (!local) return std::nullopt;
  return std::string(start, end);
}

// A fraction of a second at `position` is skipped.
const char* SkipFraction(const char* position) {
  if ((*position != '.' && *position != ',') || !IsAsciiDigit(position[1])) return position;
  ++position;
  while (IsAsciiDigit(*position)) ++position;
  return position;
}

auto Date(const WallClock& time) { return std::make_tuple(time.year, time.month, time.day); }

}  // namespace

std::optional<WrittenTime> ReadWallClockText(const std::string& text, std::string* dayPeriodWord) {
  std::tm record{};
  const char* position = text.c_str();
  std::size_t read = 0;
  for (const char* element : kElements) {
    const char* next =
        ParseTimeText(read == kDateRead ? SkipBlanks(position) : position, element, &record);
    if (next == nullptr) break;
    position = next;
    ++read;
  }
  if (read < kDateRead) return std::nullopt;
  WrittenTime written{{record.tm_year + 1900, record.tm_mon + 1, record.tm_mday}, std::nullopt, ""};
  WallClock& time = written.wallClock;
  if (read >= kHoursRead) time.hour = record.tm_hour;
  if (read >= kMinutesRead) time.minute = record.tm_min;
  if (read >= kAllRead) {
    time.second = record.tm_sec;
    position = SkipFraction(position);
  }

  bool afternoon = false;
  // Whether a day period, an offset or an abbreviation says how to read the hours.
  bool marked = false;
  if (read >= kMinutesRead) {
    if (const char* end = MatchDayPeriod(SkipBlanks(position), &afternoon)) {
      if (time.hour < 1 || time.hour > 12) return std::nullopt;
      time.hour = time.hour % 12 + (afternoon ? 12 : 0);
      position = end;
      marked = true;
    }
    if (!ReadUtcOffset(&position, &written.utcOffset)) return std::nullopt;
    if (written.utcOffset || ReadAbbreviation(&position, &written.abbreviation)) marked = true;
  }
  if (read < kAllRead && *SkipBlanks(position) != '\0') return std::nullopt;
  if (time.day > DaysInMonth(time.year, time.month)) return std::nullopt;
  if (Date(time) < Date(kEarliestWallClock) || Date(time) > Date(kLatestWallClock)) {
    return std::nullopt;
  }
  // A word the reader does not know after a time that may be on a twelve-hour clock may say
  // afternoon in the caller's language: ignoring it could put the search twelve hours off.
  if (!marked && time.hour <= kLastTwelveHour) {
    if (std::optional<std::string> word = DayPeriodLikeWord(position)) {
      if (dayPeriodWord != nullptr) *dayPeriodWord = std::move(*word);
      return std::nullopt;
    }
  }
  return written;
}

}  // namespace pos_video
