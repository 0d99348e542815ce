#include "time_zone/posix_rule.h"

#include "base/ascii_classes.h"
#include "base/wall_clock.h"

namespace pos_video {
namespace {

// Reads an unsigned number of at most `upper`; digits beyond it fail rather than wrap.
bool ReadNumber(const char** position, int upper, int* value) {
  const char* cursor = *position;
  if (!IsAsciiDigit(*cursor)) return false;
  *value = 0;
  for (; IsAsciiDigit(*cursor); ++cursor) {
    *value = *value * 10 + (*cursor - '0');
    if (*value > upper) return false;
  }
  *position = cursor;
  return true;
}

bool ReadName(const char** position, std::string* name) {
  const char* cursor = *position;
  const bool quoted = *cursor == '<';
  if (quoted) ++cursor;
  const char* start = cursor;
  while (IsAsciiLetter(*cursor) ||
         (quoted && (IsAsciiDigit(*cursor) || *cursor == '+' || *cursor == '-'))) {
    ++cursor;
  }
  if (cursor - start < 3 || (quoted && *cursor != '>')) return false;
  name->assign(start, cursor);
  *position = quoted ? cursor + 1 : cursor;
  return true;
}

// ":mm" or ":ss" when the text goes on with a colon; nothing (zero) otherwise.
bool ReadSixtieths(const char** position, int* value) {
  if (**position != ':') return true;
  ++*position;
  return ReadNumber(position, 59, value);
}

// [+|-]hh[:mm[:ss]] with hours up to `maxHours`, as signed seconds.
bool ReadDuration(const char** position, int maxHours, std::int32_t* seconds,
                  bool* plus = nullptr) {
  const char* cursor = *position;
  const bool negative = *cursor == '-';
  if (plus != nullptr) *plus = *cursor == '+';
  if (*cursor == '-' || *cursor == '+') ++cursor;
  int hours = 0, minutes = 0, rest = 0;
  if (!ReadNumber(&cursor, maxHours, &hours) || !ReadSixtieths(&cursor, &minutes) ||
      !ReadSixtieths(&cursor, &rest)) {
    return false;
  }
  const std::int32_t total = hours * 3600 + minutes * 60 + rest;
  *seconds = negative ? -total : total;
  *position = cursor;
  return true;
}

bool ReadChangeDay(const char** position, ChangeDay* change) {
  const char* cursor = *position;
  bool read = false;
  if (*cursor == 'J') {
    ++cursor;
    change->form = ChangeDay::Form::kJulian;
    read = ReadNumber(&cursor, 365, &change->day) && change->day >= 1;
  } else if (*cursor == 'M') {
    ++cursor;
    change->form = ChangeDay::Form::kMonthWeekDay;
    read = ReadNumber(&cursor, 12, &change->month) && change->month >= 1 && *cursor++ == '.' &&
           ReadNumber(&cursor, 5, &change->week) && change->week >= 1 && *cursor++ == '.' &&
           ReadNumber(&cursor, 6, &change->weekday);
  } else {
    change->form = ChangeDay::Form::kZeroBased;
    read = ReadNumber(&cursor, 365, &change->day);
  }
  if (!read) return false;
  // Hours up to 167, as tzdata writes them: a change up to a week after the day named.
  if (*cursor == '/') {
    ++cursor;
    if (!ReadDuration(&cursor, 167, &change->time)) return false;
  }
  *position = cursor;
  return true;
}

// Days since 1970-01-01 of the change's day in `year`.
std::int64_t ChangeDate(const ChangeDay& change, std::int64_t year) {
  const std::int64_t january1 = DaysSinceEpoch(year, 1, 1);
  switch (change.form) {
    case ChangeDay::Form::kJulian:
      return january1 + change.day - 1 + (IsLeapYear(year) && change.day >= 60 ? 1 : 0);
    case ChangeDay::Form::kZeroBased:
      return january1 + change.day;
    case ChangeDay::Form::kMonthWeekDay:
      break;
  }
  const std::int64_t first = DaysSinceEpoch(year, change.month, 1);
  const std::int64_t firstWeekday = (first % 7 + 11) % 7;  // 1970-01-01 was a Thursday.
  std::int64_t day =
      first + (change.weekday - firstWeekday + 7) % 7 + 7 * std::int64_t{change.week - 1};
  while (day >= first + DaysInMonth(year, change.month)) day -= 7;
  return day;
}

std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor) {
  return value / divisor - (value % divisor < 0 ? 1 : 0);
}

// The year of the Gregorian calendar that the day `days` after 1970-01-01 falls in.
std::int64_t YearOfDay(std::int64_t days) {
  // Counted in eras of 400 years that start on 1 March, the inverse of DaysSinceEpoch.
  const std::int64_t shifted = days + 719468;
  const std::int64_t era = FloorDivide(shifted, 146097);
  const std::int64_t dayOfEra = shifted - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  // Days 306 on of a year counted from March fall in January and February of the next.
  return era * 400 + yearOfEra + (dayOfYear >= 306 ? 1 : 0);
}

}  // namespace

std::optional<PosixRule> ParsePosixRule(const std::string& text) {
  PosixRule rule;
  const char* position = text.c_str();
  std::int32_t west = 0;
  if (!ReadName(&position, &rule.standardName) ||
      !ReadDuration(&position, 24, &west, &rule.standardPlus)) {
    return std::nullopt;
  }
  rule.standardOffset = -west;
  if (*position == '\0') return rule;
  if (!ReadName(&position, &rule.daylightName)) return std::nullopt;
  rule.hasDaylight = true;
  rule.daylightOffset = rule.standardOffset + 3600;
  if (*position != ',') {
    if (!ReadDuration(&position, 24, &west, &rule.daylightPlus)) return std::nullopt;
    rule.daylightOffset = -west;
  }
  if (*position++ != ',' || !ReadChangeDay(&position, &rule.daylightStart) || *position++ != ',' ||
      !ReadChangeDay(&position, &rule.daylightEnd) || *position != '\0') {
    return std::nullopt;
  }
  return rule;
}

bool IsDaylightAt(const PosixRule& rule, std::int64_t utcSeconds) {
  if (!rule.hasDaylight) return false;
  const std::array<std::int64_t, 3> year = PossibleChanges(rule, utcSeconds);
  const std::int64_t start = year[1], end = year[2];
  return start > end ? utcSeconds < end || utcSeconds >= start
                     : utcSeconds >= start && utcSeconds < end;
}

std::array<std::int64_t, 3> PossibleChanges(const PosixRule& rule, std::int64_t utcSeconds) {
  const std::int64_t year = YearOfDay(FloorDivide(utcSeconds, kSecondsPerDay));
  // A change's time of day is on the clock in force before it.
  return {DaysSinceEpoch(year, 1, 1) * kSecondsPerDay,
          ChangeDate(rule.daylightStart, year) * kSecondsPerDay + rule.daylightStart.time -
              rule.standardOffset,
          ChangeDate(rule.daylightEnd, year) * kSecondsPerDay + rule.daylightEnd.time -
              rule.daylightOffset};
}

}  // namespace pos_video
