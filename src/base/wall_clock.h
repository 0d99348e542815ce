// A date and time as a clock on the wall shows it, in no zone yet, and the calendar arithmetic
// that both the time option and the zone conversion need.
#pragma once

#include <cstdint>

namespace pos_video {

// Month 1 to 12, day 1 to 31, hour 0 to 23, minute 0 to 59, second 0 to 61 (up to two leap
// seconds, which count on into the next minute).
struct WallClock {
  int year = 1970;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

constexpr std::int64_t kSecondsPerDay = 86400;

constexpr bool IsLeapYear(std::int64_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

constexpr int DaysInMonth(std::int64_t year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to the given day of the Gregorian calendar (negative before it).
constexpr std::int64_t DaysSinceEpoch(std::int64_t year, int month, int day) {
  // Counted in years that start on 1 March, so that the leap day is the last day of its year.
  const std::int64_t shifted = month <= 2 ? year - 1 : year;
  const std::int64_t era = (shifted >= 0 ? shifted : shifted - 399) / 400;
  const std::int64_t yearOfEra = shifted - era * 400;
  const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

// The wall clock's seconds counted as if its zone were UTC.
constexpr std::int64_t WallClockSeconds(const WallClock& time) {
  return DaysSinceEpoch(time.year, time.month, time.day) * kSecondsPerDay +
         std::int64_t{time.hour} * 3600 + std::int64_t{time.minute} * 60 + time.second;
}

}  // namespace pos_video
