#include "search_time/time_text_parser.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace pos_video {
namespace {

// No directive can store this, so a field that the parser should leave alone shows if it does not.
constexpr int kUntouched = -4321;
constexpr std::ptrdiff_t kFails = -1;

using Field = int std::tm::*;
constexpr Field kSec = &std::tm::tm_sec;
constexpr Field kMin = &std::tm::tm_min;
constexpr Field kHour = &std::tm::tm_hour;
constexpr Field kMday = &std::tm::tm_mday;
constexpr Field kMon = &std::tm::tm_mon;
constexpr Field kYear = &std::tm::tm_year;
constexpr Field kWday = &std::tm::tm_wday;
constexpr Field kYday = &std::tm::tm_yday;

struct ParseCase {
  const char* format;
  const char* text;
  std::ptrdiff_t end;  // Offset of the returned position in the text, or kFails.
  std::vector<std::pair<Field, int>> changes;  // Every other field keeps kUntouched.
};

std::tm UntouchedRecord() {
  std::tm record{};
  for (Field field : {kSec, kMin, kHour, kMday, kMon, kYear, kWday, kYday})
    record.*field = kUntouched;
  record.tm_isdst = kUntouched;
  return record;
}

std::string Describe(const std::tm& r) {
  return "sec " + std::to_string(r.tm_sec) + ", min " + std::to_string(r.tm_min) + ", hour " +
         std::to_string(r.tm_hour) + ", mday " + std::to_string(r.tm_mday) + ", mon " +
         std::to_string(r.tm_mon) + ", year " + std::to_string(r.tm_year) + ", wday " +
         std::to_string(r.tm_wday) + ", yday " + std::to_string(r.tm_yday) + ", isdst " +
         std::to_string(r.tm_isdst);
}

// Shows whitespace and bytes above 0x7F so that a failing case can be told from its neighbours.
std::string Escape(const char* text) {
  std::string escaped;
  for (; *text != '\0'; ++text) {
    const unsigned char c = static_cast<unsigned char>(*text);
    if (c >= 0x21 && c <= 0x7E) {
      escaped += static_cast<char>(c);
    } else if (c == ' ') {
      escaped += "\\s";
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      escaped += code;
    }
  }
  return escaped;
}

std::string Name(const char* format, const char* text) {
  return "format \"" + Escape(format) + "\" on text \"" + Escape(text) + "\"";
}

std::ptrdiff_t Offset(const char* result, const char* text) {
  return result ? result - text : kFails;
}

void ExpectParses(const std::vector<ParseCase>& cases) {
  for (const ParseCase& c : cases) {
    std::tm record = UntouchedRecord();
    std::tm expected = UntouchedRecord();
    for (const auto& [field, value] : c.changes) expected.*field = value;
    EXPECT_EQ(Offset(ParseTimeText(c.text, c.format, &record), c.text), c.end)
        << Name(c.format, c.text);
    EXPECT_EQ(Describe(record), Describe(expected)) << Name(c.format, c.text);
  }
}

TEST(TimeTextParserTest, FullDateAndTime) {
  ExpectParses({
      {"%Y-%m-%d %T",
       "2007-06-06 14:05:09",
       19,
       {{kYear, 107}, {kMon, 5}, {kMday, 6}, {kHour, 14}, {kMin, 5}, {kSec, 9}}},
      {"%Y-%m-%d %T",
       "2007-06-06 14:05:09 xyz",
       19,
       {{kYear, 107}, {kMon, 5}, {kMday, 6}, {kHour, 14}, {kMin, 5}, {kSec, 9}}},
      {"%Y-%m-%d %T",
       "2007-06-0614:05:09",
       18,
       {{kYear, 107}, {kMon, 5}, {kMday, 6}, {kHour, 14}, {kMin, 5}, {kSec, 9}}},
      {"%Y-%m-%d %T",
       "7-6-6 1:2:3",
       11,
       {{kYear, -1893}, {kMon, 5}, {kMday, 6}, {kHour, 1}, {kMin, 2}, {kSec, 3}}},
      // No check of the day against the month.
      {"%Y-%m-%d %T",
       "2007-02-31 00:00:00",
       19,
       {{kYear, 107}, {kMon, 1}, {kMday, 31}, {kHour, 0}, {kMin, 0}, {kSec, 0}}},
  });
}

TEST(TimeTextParserTest, BoundsAndDigitLimits) {
  ExpectParses({
      {"%m", "12", 2, {{kMon, 11}}},
      {"%m", "13", kFails, {}},
      {"%m", "0", kFails, {}},
      {"%m", "010", 2, {{kMon, 0}}},  // A leading zero uses up one of the two digits.
      {"%d", "00", kFails, {}},
      {"%d", "32", kFails, {}},
      {"%d", "31", 2, {{kMday, 31}}},
      {"%e", "1x", 1, {{kMday, 1}}},
      {"%d", "-5", kFails, {}},
      {"%d", "+5", kFails, {}},
      {"%H", "30", 1, {{kHour, 3}}},  // A second digit would pass 23, so it is left.
      {"%H", "23", 2, {{kHour, 23}}},
      {"%H", "24", kFails, {}},
      {"%k", "07", 2, {{kHour, 7}}},
      {"%I", "12", 2, {{kHour, 0}}},
      {"%I", "00", kFails, {}},
      {"%I", "13", kFails, {}},
      {"%I", "011", 2, {{kHour, 1}}},
      {"%l", "1", 1, {{kHour, 1}}},
      {"%M", "60", 1, {{kMin, 6}}},
      {"%M", "59", 2, {{kMin, 59}}},
      {"%S", "60", 2, {{kSec, 60}}},
      {"%S", "61", 2, {{kSec, 61}}},
      {"%S", "62", kFails, {}},
      {"%j", "366", 3, {{kYday, 365}}},
      {"%j", "001", 3, {{kYday, 0}}},
      {"%j", "400", 2, {{kYday, 39}}},
      {"%j", "0366", 3, {{kYday, 35}}},
      {"%j", "367", kFails, {}},
      {"%j", "000", kFails, {}},
      {"%w", "6", 1, {{kWday, 6}}},
      {"%w", "06", 1, {{kWday, 0}}},
      {"%w", "7", kFails, {}},
      {"%U", "53", 2, {}},
      {"%W", "60", 1, {}},
      {"%W", "54", kFails, {}},
      {"%Y", "12345", 4, {{kYear, -666}}},
      {"%Y", "0000", 4, {{kYear, -1900}}},
      {"%Y", "9999", 4, {{kYear, 8099}}},
  });
}

TEST(TimeTextParserTest, YearsAndSplitYearFlag) {
  ExpectParses({
      {"%y", "69", 2, {{kYear, 69}}},
      {"%y", "68", 2, {{kYear, 168}}},
      {"%y", "00", 2, {{kYear, 100}}},
      {"%y", "5", 1, {{kYear, 105}}},
      {"%y", "100", 2, {{kYear, 110}}},
      {"%C", "19", 2, {{kYear, 0}}},
      {"%C", "0", 1, {{kYear, -1900}}},
      {"%C%y", "2007", 4, {{kYear, 107}}},
      {"%y%C", "0720", 4, {{kYear, 107}}},
      {"%C%y", "1850", 4, {{kYear, -50}}},
      // "%Y" neither sets nor clears the flag, but its year is what a later split part keeps.
      {"%Y%y", "185007", 6, {{kYear, 107}}},
      {"%y/%Y/%y", "07/1850/07", 10, {{kYear, -93}}},
      {"%y/%Y/%C", "07/1850/20", 10, {{kYear, 150}}},
      // A composite starts its own flag, so its year goes through the window and replaces the
      // century read before it.
      {"%C%D", "1906/06/07", 10, {{kYear, 107}, {kMon, 5}, {kMday, 6}}},
      {"%C%c",
       "1906/06/07 1:2:3",
       16,
       {{kYear, 107}, {kMon, 5}, {kMday, 6}, {kHour, 1}, {kMin, 2}, {kSec, 3}}},
      // ...and the outer flag stays set across it, whether or not the composite reads a year.
      {"%C%T%y", "2001:02:0370", 12, {{kYear, 170}, {kHour, 1}, {kMin, 2}, {kSec, 3}}},
      {"%C%D%y", "2106/06/0799", 12, {{kYear, 199}, {kMon, 5}, {kMday, 6}}},
  });
}

TEST(TimeTextParserTest, CompositesAndNesting) {
  ExpectParses({
      {"%D", "06/06/07", 8, {{kMon, 5}, {kMday, 6}, {kYear, 107}}},
      {"%D", "6/6/7x", 5, {{kMon, 5}, {kMday, 6}, {kYear, 107}}},
      {"%x", "12/31/99", 8, {{kMon, 11}, {kMday, 31}, {kYear, 99}}},
      {"%c",
       "06/06/07   14:05:09",
       19,
       {{kMon, 5}, {kMday, 6}, {kYear, 107}, {kHour, 14}, {kMin, 5}, {kSec, 9}}},
      {"%c",
       "06/06/0714:05:09",
       16,
       {{kMon, 5}, {kMday, 6}, {kYear, 107}, {kHour, 14}, {kMin, 5}, {kSec, 9}}},
      {"%R", "14:05:09", 5, {{kHour, 14}, {kMin, 5}}},
      {"%T", "14:05:09", 8, {{kHour, 14}, {kMin, 5}, {kSec, 9}}},
      {"%X", "1:2:3", 5, {{kHour, 1}, {kMin, 2}, {kSec, 3}}},
      // The outer parse goes on where the nested one stopped.
      {"%T!%j", "1:2:3!9", 7, {{kHour, 1}, {kMin, 2}, {kSec, 3}, {kYday, 8}}},
  });
}

TEST(TimeTextParserTest, DayAndMonthNames) {
  ExpectParses({
      {"%a", "thursday", 8, {{kWday, 4}}},
      {"%A", "Thu,", 3, {{kWday, 4}}},
      {"%a", "Thurs", 3, {{kWday, 4}}},
      {"%a", "Tues", 3, {{kWday, 2}}},
      {"%A", "sAtUrDaY", 8, {{kWday, 6}}},
      {"%a", "Su", kFails, {}},
      {"%a", "Xyz", kFails, {}},
      {"%b", "Sept", 3, {{kMon, 8}}},
      {"%B", "MAY", 3, {{kMon, 4}}},
      {"%b", "June", 4, {{kMon, 5}}},
      {"%b", "Junk", 3, {{kMon, 5}}},
      {"%h", "december", 8, {{kMon, 11}}},
      {"%a %b %e", "Wed Jun  6", 10, {{kWday, 3}, {kMon, 5}, {kMday, 6}}},
  });
}

TEST(TimeTextParserTest, DayPeriod) {
  ExpectParses({
      {"%r", "12:00:00 AM", 11, {{kHour, 0}, {kMin, 0}, {kSec, 0}}},
      {"%r", "12:00:00 PM", 11, {{kHour, 12}, {kMin, 0}, {kSec, 0}}},
      {"%r", "01:00:00 pm", 11, {{kHour, 13}, {kMin, 0}, {kSec, 0}}},
      {"%r", "13:00:00 PM", kFails, {}},
      // The marker has to end the text.
      {"%r", "01:00:00 PM ", kFails, {{kHour, 1}, {kMin, 0}, {kSec, 0}}},
      {"%p", "PMx", kFails, {}},
      {"%p", "AM ", kFails, {}},
      {"%p", "P", kFails, {}},
      {"%p", "", kFails, {}},
      {"%H %p", "13 PM", kFails, {{kHour, 13}}},
      {"%H %p", "12 PM", kFails, {{kHour, 12}}},
      {"%H %p", "11 pm", 5, {{kHour, 23}}},
      {"%H %p", "11 aM", 5, {{kHour, 11}}},
      {"%l %p", "1 PM", 4, {{kHour, 13}}},
      {"%I%p", "12am", 4, {{kHour, 0}}},
      // Whatever the hour holds when the marker is reached is adjusted.
      {"%p", "pM", 2, {{kHour, kUntouched + 12}}},
  });
}

TEST(TimeTextParserTest, Whitespace) {
  ExpectParses({
      {" %e", " \t\n\v\f\r6", 7, {{kMday, 6}}},
      {" %e", "6", 1, {{kMday, 6}}},
      {"%e", " 6", kFails, {}},
      {"%k", " 5", kFails, {}},
      {"%l", " 5", kFails, {}},
      {"%n%e", "\t6", 2, {{kMday, 6}}},
      {"%t%e", "\n6", 2, {{kMday, 6}}},
      {"%Y\t%m", "2007 \r 06", 9, {{kYear, 107}, {kMon, 5}}},
      {" %n ", "  \r\n x", 5, {}},
      {" ", "", 0, {}},
      // Only ASCII whitespace counts: not a no-break space, a next line or a file separator.
      {" %e",
       "\xA0"
       "6",
       kFails,
       {}},
      {" %e",
       "\x85"
       "6",
       kFails,
       {}},
      {" %e",
       "\x1C"
       "6",
       kFails,
       {}},
  });
}

TEST(TimeTextParserTest, FailuresKeepWhatWasWritten) {
  ExpectParses({
      {"", "abc", 0, {}},
      {"%Y-%m-%d %T", "2007-06-06", kFails, {{kYear, 107}, {kMon, 5}, {kMday, 6}}},
      {"%Y-%m-%d %T", " 2007-06-06 14:05:09", kFails, {}},
      {"%Y/%m", "2007-06", kFails, {{kYear, 107}}},
      {"%d%m", "3113", kFails, {{kMday, 31}}},
      {"%c",
       "06/06/07 14:05:xx",
       kFails,
       {{kMon, 5}, {kMday, 6}, {kYear, 107}, {kHour, 14}, {kMin, 5}}},
      // Literals compare byte for byte, with their case, and need a character to compare.
      {"T%H", "t14", kFails, {}},
      {"ab", "a", kFails, {}},
      {"%Y\xE9", "2007\xE9", 5, {{kYear, 107}}},
      {"%%", "%", 1, {}},
      {"%%", "x", kFails, {}},
      {"%", "", kFails, {}},
      {"%E", "7", kFails, {}},
  });
}

TEST(TimeTextParserTest, UnknownDirectivesFail) {
  for (const char* format : {"%F", "%G", "%g", "%P", "%s", "%u", "%V", "%Z", "%z", "% ", "%EEy",
                             "%EOy", "%OEy", "%OOy", "%E ", "%Oq"}) {
    std::tm record = UntouchedRecord();
    EXPECT_EQ(ParseTimeText("2007-06-06", format, &record), nullptr) << Escape(format);
    EXPECT_EQ(Describe(record), Describe(UntouchedRecord())) << Escape(format);
  }
}

// Every directive with a text it reads entirely; a modifier it accepts must change nothing, and
// one it refuses must fail before anything is read.
TEST(TimeTextParserTest, EachDirectiveTakesOnlyItsModifiers) {
  struct Directive {
    char letter;
    const char* text;
    const char* accepted;
  };
  const Directive directives[] = {
      {'d', "06", "O"},       {'e', "6", "O"},
      {'H', "14", "O"},       {'k', "14", ""},
      {'I', "12", "O"},       {'l', "12", ""},
      {'M', "05", "O"},       {'S', "09", "O"},
      {'m', "06", "O"},       {'j', "157", ""},
      {'w', "3", "O"},        {'U', "22", "O"},
      {'W', "22", "O"},       {'Y', "2007", "E"},
      {'y', "07", "EO"},      {'C', "20", "E"},
      {'D', "06/06/07", ""},  {'x', "06/06/07", "E"},
      {'R', "14:05", ""},     {'T', "14:05:09", ""},
      {'X', "14:05:09", "E"}, {'r', "02:05:09 PM", ""},
      {'a', "Wed", ""},       {'A', "Wed", ""},
      {'b', "Jun", ""},       {'B', "Jun", ""},
      {'h', "Jun", ""},       {'p', "PM", ""},
      {'n', " ", ""},         {'t', " ", ""},
      {'%', "%", "EO"},       {'c', "06/06/07 14:05:09", "E"},
  };
  for (const Directive& d : directives) {
    const std::string plain = std::string("%") + d.letter;
    const auto length = static_cast<std::ptrdiff_t>(std::string(d.text).size());
    std::tm unmodified = UntouchedRecord();
    ASSERT_EQ(Offset(ParseTimeText(d.text, plain.c_str(), &unmodified), d.text), length)
        << Name(plain.c_str(), d.text);
    for (char modifier : {'E', 'O'}) {
      const std::string format = std::string("%") + modifier + d.letter;
      const bool accepted = std::string(d.accepted).find(modifier) != std::string::npos;
      std::tm record = UntouchedRecord();
      EXPECT_EQ(Offset(ParseTimeText(d.text, format.c_str(), &record), d.text),
                accepted ? length : kFails)
          << Name(format.c_str(), d.text);
      EXPECT_EQ(Describe(record), Describe(accepted ? unmodified : UntouchedRecord()))
          << Name(format.c_str(), d.text);
    }
  }
}

TEST(TimeTextParserTest, MissingArgumentsTouchNothing) {
  std::tm record = UntouchedRecord();
  EXPECT_EQ(ParseTimeText(nullptr, "%Y", &record), nullptr);
  EXPECT_EQ(ParseTimeText("2007", nullptr, &record), nullptr);
  EXPECT_EQ(ParseTimeText("2007", "%Y", nullptr), nullptr);
  EXPECT_EQ(Describe(record), Describe(UntouchedRecord()));
}

TEST(ReadBoundedNumberTest, DigitsBoundsAndPosition) {
  struct Case {
    const char* text;
    int lower;
    int upper;
    std::ptrdiff_t end;  // Offset of the position afterwards.
    int value;           // kUntouched when the read fails.
  };
  const Case cases[] = {
      {"abc", 0, 99, 0, kUntouched},
      {"", 0, 99, 0, kUntouched},
      {"123", 0, 99, 2, 12},
      {"13", 1, 12, 2, kUntouched},  // Out of bounds: the digits stay consumed.
      {"99", 100, 200, 2, kUntouched},
      {"00123", 0, 9999, 4, 12},
      {"9", 0, 0, 1, kUntouched},
      {"0", 0, 0, 1, 0},
      {"100", 0, 100, 3, 100},
      {"2147483647", 0, INT_MAX, 10, INT_MAX},
      // Ten digits under a bound of INT_MAX: the value passes the bound before it is refused.
      {"2147483648", 0, INT_MAX, 10, kUntouched},
      {"9999999999", 0, INT_MAX, 9, 999999999},
      {"2147483647", INT_MIN, INT_MAX - 1, 10, kUntouched},
  };
  for (const Case& c : cases) {
    const char* position = c.text;
    int value = kUntouched;
    const bool read = ReadBoundedNumber(&position, &value, c.lower, c.upper);
    const std::string name = "\"" + Escape(c.text) + "\" in [" + std::to_string(c.lower) + ", " +
                             std::to_string(c.upper) + "]";
    EXPECT_EQ(read, c.value != kUntouched) << name;
    EXPECT_EQ(position - c.text, c.end) << name;
    EXPECT_EQ(value, c.value) << name;
  }
}

}  // namespace
}  // namespace pos_video
