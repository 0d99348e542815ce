#include "search_time/time_text_parser.h"

#include <cstddef>
#include <cstdint>

#include "base/ascii_classes.h"

namespace pos_video {
namespace {

// Full name first: the abbreviation is a prefix of it, so trying it first would never consume the
// whole name.
constexpr const char* kDayNames[][2] = {
    {"Sunday", "Sun"},   {"Monday", "Mon"}, {"Tuesday", "Tue"},  {"Wednesday", "Wed"},
    {"Thursday", "Thu"}, {"Friday", "Fri"}, {"Saturday", "Sat"},
};
constexpr const char* kMonthNames[][2] = {
    {"January", "Jan"},   {"February", "Feb"}, {"March", "Mar"},    {"April", "Apr"},
    {"May", "May"},       {"June", "Jun"},     {"July", "Jul"},     {"August", "Aug"},
    {"September", "Sep"}, {"October", "Oct"},  {"November", "Nov"}, {"December", "Dec"},
};

// Two-digit years below this belong to the 2000s, the others to the 1900s.
constexpr int kFirstYearOfWindow = 69;

// Returns the position after `name` when the text there starts with it, ignoring case; otherwise
// null. The text's NUL ends the comparison as a mismatch, so nothing past it is read.
const char* MatchIgnoringCase(const char* position, const char* name) {
  for (; *name != '\0'; ++name, ++position) {
    if (LowerAscii(*position) != LowerAscii(*name)) return nullptr;
  }
  return position;
}

template <std::size_t kCount>
const char* MatchName(const char* position, const char* const (&names)[kCount][2], int* index) {
  for (std::size_t i = 0; i < kCount; ++i) {
    for (const char* name : names[i]) {
      if (const char* end = MatchIgnoringCase(position, name)) {
        *index = static_cast<int>(i);
        return end;
      }
    }
  }
  return nullptr;
}

// The marker must be all that is left of the text.
const char* ParseDayPeriod(const char* position, std::tm* record) {
  int hour_offset = 0;
  const char* end = MatchIgnoringCase(position, "AM");
  if (end == nullptr || *end != '\0') {
    end = MatchIgnoringCase(position, "PM");
    if (end == nullptr || *end != '\0') return nullptr;
    hour_offset = 12;
  }
  if (record->tm_hour > 11) return nullptr;
  record->tm_hour += hour_offset;
  return end;
}

// `modifier` is 0 when the directive has none, which every directive accepts.
bool Accepts(char modifier, const char* accepted) {
  if (modifier == '\0') return true;
  for (; *accepted != '\0'; ++accepted) {
    if (*accepted == modifier) return true;
  }
  return false;
}

// Combines a two-digit year with what this level of the format has already read. The full year is
// never negative here: once `split_year` is set, tm_year holds a year this parser stored.
void StoreTwoDigitYear(int value, bool* split_year, std::tm* record) {
  int year = 0;
  if (*split_year) {
    year = (record->tm_year + 1900) / 100 * 100 + value;
  } else {
    year = (value < kFirstYearOfWindow ? 2000 : 1900) + value;
  }
  record->tm_year = year - 1900;
  *split_year = true;
}

void StoreCentury(int value, bool* split_year, std::tm* record) {
  const int year = *split_year ? (record->tm_year + 1900) % 100 + value * 100 : value * 100;
  record->tm_year = year - 1900;
  *split_year = true;
}

// Handles one directive at `position`; returns the position after it, or null on failure.
const char* ParseDirective(const char* position, char modifier, char letter, bool* split_year,
                           std::tm* record) {
  int value = 0;
  // Checks the modifier before reading, so that a refused directive consumes nothing.
  auto number = [&](const char* accepted, int lower, int upper) {
    return Accepts(modifier, accepted) && ReadBoundedNumber(&position, &value, lower, upper);
  };
  auto nested = [&](const char* accepted, const char* expansion) -> const char* {
    return Accepts(modifier, accepted) ? ParseTimeText(position, expansion, record) : nullptr;
  };
  int index = 0;
  switch (letter) {
    case 'd':
    case 'e':
      if (!number("O", 1, 31)) return nullptr;
      record->tm_mday = value;
      return position;
    case 'H':
    case 'k':
      if (!number(letter == 'H' ? "O" : "", 0, 23)) return nullptr;
      record->tm_hour = value;
      return position;
    case 'I':
    case 'l':
      // 12 o'clock counts as hour 0 so that a following day period can add 12 to it.
      if (!number(letter == 'I' ? "O" : "", 1, 12)) return nullptr;
      record->tm_hour = value == 12 ? 0 : value;
      return position;
    case 'M':
      if (!number("O", 0, 59)) return nullptr;
      record->tm_min = value;
      return position;
    case 'S':
      // Up to two leap seconds.
      if (!number("O", 0, 61)) return nullptr;
      record->tm_sec = value;
      return position;
    case 'm':
      if (!number("O", 1, 12)) return nullptr;
      record->tm_mon = value - 1;
      return position;
    case 'j':
      if (!number("", 1, 366)) return nullptr;
      record->tm_yday = value - 1;
      return position;
    case 'w':
      if (!number("O", 0, 6)) return nullptr;
      record->tm_wday = value;
      return position;
    case 'U':
    case 'W':
      // A week number says nothing the record can hold without deriving a date; it is skipped.
      return number("O", 0, 53) ? position : nullptr;
    case 'Y':
      if (!number("E", 0, 9999)) return nullptr;
      record->tm_year = value - 1900;
      return position;
    case 'y':
      if (!number("EO", 0, 99)) return nullptr;
      StoreTwoDigitYear(value, split_year, record);
      return position;
    case 'C':
      if (!number("E", 0, 99)) return nullptr;
      StoreCentury(value, split_year, record);
      return position;
    case 'c':
      return nested("E", "%x %X");
    case 'D':
      return nested("", "%m/%d/%y");
    case 'x':
      return nested("E", "%m/%d/%y");
    case 'R':
      return nested("", "%H:%M");
    case 'T':
      return nested("", "%H:%M:%S");
    case 'X':
      return nested("E", "%H:%M:%S");
    case 'r':
      return nested("", "%I:%M:%S %p");
    case 'a':
    case 'A':
      if (!Accepts(modifier, "")) return nullptr;
      position = MatchName(position, kDayNames, &index);
      if (position != nullptr) record->tm_wday = index;
      return position;
    case 'b':
    case 'B':
    case 'h':
      if (!Accepts(modifier, "")) return nullptr;
      position = MatchName(position, kMonthNames, &index);
      if (position != nullptr) record->tm_mon = index;
      return position;
    case 'p':
      return Accepts(modifier, "") ? ParseDayPeriod(position, record) : nullptr;
    case 'n':
    case 't':
      return Accepts(modifier, "") ? SkipAsciiWhitespace(position) : nullptr;
    case '%':
      // The one directive that takes either modifier: it ignores them.
      return *position == '%' ? position + 1 : nullptr;
    default:
      // Unknown letters, a second modifier ("%EO") and a blank after "%" all end up here.
      return nullptr;
  }
}

}  // namespace

bool ReadBoundedNumber(const char** position, int* destination, int lower, int upper) {
  if (position == nullptr || *position == nullptr || destination == nullptr) return false;
  const char* cursor = *position;
  if (!IsAsciiDigit(*cursor)) return false;
  // 64 bits: the value may pass an upper bound near INT_MAX by one digit before it is refused.
  std::int64_t value = 0;
  int budget = upper;
  do {
    value = value * 10 + (*cursor - '0');
    ++cursor;
    budget /= 10;
  } while (value * 10 <= upper && budget != 0 && IsAsciiDigit(*cursor));
  *position = cursor;
  if (value < lower || value > upper) return false;
  *destination = static_cast<int>(value);
  return true;
}

const char* ParseTimeText(const char* text, const char* format, std::tm* record) {
  if (text == nullptr || format == nullptr || record == nullptr) return nullptr;
  const char* position = text;
  // Set once a century or a two-digit year has been read at this level; nested calls start clear.
  bool split_year = false;
  while (*format != '\0') {
    const char element = *format++;
    if (IsAsciiWhitespace(element)) {
      position = SkipAsciiWhitespace(position);
    } else if (element != '%') {
      // The text's NUL never equals a format character, so the end of the text fails here.
      if (*position != element) return nullptr;
      ++position;
    } else {
      char modifier = '\0';
      if (*format == 'E' || *format == 'O') modifier = *format++;
      const char letter = *format;
      if (letter == '\0') return nullptr;
      ++format;
      position = ParseDirective(position, modifier, letter, &split_year, record);
      if (position == nullptr) return nullptr;
    }
  }
  return position;
}

}  // namespace pos_video
