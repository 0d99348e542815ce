#include "search_time/time_text_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace pos_video {
namespace {

constexpr int kUntouched = -4321;
constexpr int kFails = -1;

// The fields a parse changed, in a fixed order: "Y107 m5 d6 H14 M5 S9 w3 j8".
std::string Changed(const std::tm& r) {
  const std::pair<char, int> fields[] = {{'Y', r.tm_year}, {'m', r.tm_mon},  {'d', r.tm_mday},
                                         {'H', r.tm_hour}, {'M', r.tm_min},  {'S', r.tm_sec},
                                         {'w', r.tm_wday}, {'j', r.tm_yday}, {'i', r.tm_isdst}};
  std::string changed;
  for (const auto& [name, value] : fields) {
    if (value == kUntouched) continue;
    changed += (changed.empty() ? "" : " ") + std::string(1, name) + std::to_string(value);
  }
  return changed;
}

struct ParseCase {
  const char* format;
  const char* text;
  int end;  // Characters consumed, or kFails.
  const char* changed;
};

// Each row: a format, a text, how far the parse gets and which fields it writes. A failure keeps
// what was written before it.
const ParseCase kCases[] = {
    {"%Y-%m-%d %T", "2007-06-06 14:05:09 xyz", 19, "Y107 m5 d6 H14 M5 S9"},
    {"%Y-%m-%d %T", "2007-06-0614:05:09", 18, "Y107 m5 d6 H14 M5 S9"},
    {"%Y-%m-%d %T", "7-6-6 1:2:3", 11, "Y-1893 m5 d6 H1 M2 S3"},
    {"%Y-%m-%d %T", "2007-02-31 00:00:00", 19, "Y107 m1 d31 H0 M0 S0"},
    {"%Y-%m-%d %T", "2007-06-06", kFails, "Y107 m5 d6"},
    {"%Y-%m-%d %T", " 2007-06-06 14:05:09", kFails, ""},
    // Bounds, and digit counts that follow from them.
    {"%m", "12", 2, "m11"},
    {"%m", "13", kFails, ""},
    {"%m", "0", kFails, ""},
    {"%m", "010", 2, "m0"},
    {"%d", "00", kFails, ""},
    {"%d", "32", kFails, ""},
    {"%e", "31x", 2, "d31"},
    {"%d", "-5", kFails, ""},
    {"%H", "30", 1, "H3"},
    {"%H", "23", 2, "H23"},
    {"%H", "24", kFails, ""},
    {"%I", "12", 2, "H0"},
    {"%I", "00", kFails, ""},
    {"%I", "13", kFails, ""},
    {"%M", "59", 2, "M59"},
    {"%S", "61", 2, "S61"},
    {"%S", "62", kFails, ""},
    {"%j", "366", 3, "j365"},
    {"%j", "001", 3, "j0"},
    {"%j", "367", kFails, ""},
    {"%j", "000", kFails, ""},
    {"%w", "6", 1, "w6"},
    {"%w", "7", kFails, ""},
    {"%U", "53", 2, ""},
    {"%W", "54", kFails, ""},
    {"%Y", "12345", 4, "Y-666"},
    // Two-digit years, centuries, and how they combine at one level of the format.
    {"%y", "69", 2, "Y69"},
    {"%y", "68", 2, "Y168"},
    {"%y", "5", 1, "Y105"},
    {"%C", "19", 2, "Y0"},
    {"%C", "100", 2, "Y-900"},
    {"%C%y", "2007", 4, "Y107"},
    {"%C%y", "1850", 4, "Y-50"},
    {"%y/%Y/%C", "07/1850/20", 10, "Y150"},
    {"%C%D", "1906/06/07", 10, "Y107 m5 d6"},
    // Composites.
    {"%D", "6/6/7x", 5, "Y107 m5 d6"},
    {"%c", "06/06/07 14:05:09", 17, "Y107 m5 d6 H14 M5 S9"},
    {"%c", "06/06/07 14:05:xx", kFails, "Y107 m5 d6 H14 M5"},
    {"%R", "14:05:09", 5, "H14 M5"},
    {"%T!%j", "1:2:3!9", 7, "H1 M2 S3 j8"},
    // Names.
    {"%a", "thursday", 8, "w4"},
    {"%A", "Thurs", 3, "w4"},
    {"%a", "Su", kFails, ""},
    {"%b", "Sept", 3, "m8"},
    {"%B", "MAY", 3, "m4"},
    // Day periods: the marker must end the text.
    {"%r", "12:00:00 AM", 11, "H0 M0 S0"},
    {"%r", "12:00:00 PM", 11, "H12 M0 S0"},
    {"%r", "01:00:00 pm", 11, "H13 M0 S0"},
    {"%r", "01:00:00 PM ", kFails, "H1 M0 S0"},
    {"%H %p", "12 PM", kFails, "H12"},
    {"%H %p", "11 pm", 5, "H23"},
    {"%H %p", "11 aM", 5, "H11"},
    {"%p", "P", kFails, ""},
    // White space: any run of ASCII white space, none at all, never other bytes.
    {" %e", " \t\n\v\f\r6", 7, "d6"},
    {" %e", "6", 1, "d6"},
    {"%e", " 6", kFails, ""},
    {"%n%e", "\t6", 2, "d6"},
    {" %e", "\2406", kFails, ""},  // Octal: a no-break space (A0), then "6".
    // Literals, modifiers and unknown directives.
    {"T%H", "t14", kFails, ""},
    {"ab", "a", kFails, ""},
    {"%Y\xE9", "2007\xE9", 5, "Y107"},
    {"%%", "%", 1, ""},
    {"%E%", "%", 1, ""},
    {"%%", "x", kFails, ""},
    {"%", "", kFails, ""},
    {"%Ey", "07", 2, "Y107"},
    {"%OY", "2007", kFails, ""},
    {"%Ed", "06", kFails, ""},
    {"%Ok", "06", kFails, ""},
    {"%Ec", "06/06/07 14:05:09", 17, "Y107 m5 d6 H14 M5 S9"},
    {"%Ea", "Wed", kFails, ""},
    {"%EOy", "07", kFails, ""},
    {"%F", "2007-06-06", kFails, ""},
    {"%s", "1", kFails, ""},
};

TEST(TimeTextParserTest, FieldsAndEndOfEachParse) {
  for (const ParseCase& c : kCases) {
    std::tm record{};
    for (int* field :
         {&record.tm_sec, &record.tm_min, &record.tm_hour, &record.tm_mday, &record.tm_mon,
          &record.tm_year, &record.tm_wday, &record.tm_yday, &record.tm_isdst}) {
      *field = kUntouched;
    }
    const char* end = ParseTimeText(c.text, c.format, &record);
    EXPECT_EQ(end == nullptr ? kFails : static_cast<int>(end - c.text), c.end)
        << c.format << " on " << c.text;
    EXPECT_EQ(Changed(record), c.changed) << c.format << " on " << c.text;
  }
}

}  // namespace
}  // namespace pos_video
