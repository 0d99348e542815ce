#include "search_time/wall_clock_text.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace pos_video {
namespace {

std::string Show(const std::optional<WallClock>& time) {
  if (!time) return "refused";
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time->year, time->month,
                time->day, time->hour, time->minute, time->second);
  return text;
}

TEST(WallClockTextTest, ReadWholeOrRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"2007-06-06 14:50:25", "2007-06-06 14:50:25"},
      {"2007-06-06 14:50:25x", "2007-06-06 14:50:25"},
      {"2007-06-0614:50:25", "2007-06-06 14:50:25"},
      {"2007-06-06 23:59:61", "2007-06-06 23:59:61"},
      // Cut short where the text ends, blanks remain or a quote ends the time.
      {"2007-06-06", "2007-06-06 00:00:00"},
      {"2007-06-06 \t ", "2007-06-06 00:00:00"},
      {"2007-06-06\" -x", "2007-06-06 00:00:00"},
      {"2007-06-06 14:", "2007-06-06 14:00:00"},
      {"2007-06-06 14:50 \"", "2007-06-06 14:50:00"},
      // Cut short where other text remains.
      {"2007-06-06x", "refused"},
      {"2007-06-06 x", "refused"},
      {"2007-06-06T14:50:25", "refused"},
      {"2007-06-06 24:00:00", "refused"},
      {"2007-06-06 14:60:00", "refused"},
      {"2007-06-06 14:50 x", "refused"},
      {"2007-06-06 14:5x", "refused"},
      {"2007-06-06 2 PM", "refused"},
      {"2007-06", "refused"},
      {"", "refused"},
      // The 12-hour clock.
      {"2007-06-06 2:50pm", "2007-06-06 14:50:00"},
      {"2007-06-06 12:00:00 AM", "2007-06-06 00:00:00"},
      {"2007-06-06 12:30 aM\"", "2007-06-06 00:30:00"},
      {"2007-06-06 12:00:00 Pm", "2007-06-06 12:00:00"},
      {"2007-06-06 11:59:59\tam more", "2007-06-06 11:59:59"},
      {"2007-06-06 1:00 PM x", "refused"},
      {"2007-06-06 14:50:25 PMx", "2007-06-06 14:50:25"},
      {"2007-06-06 14:50:25 PM", "refused"},
      {"2007-06-06 13:00 pm", "refused"},
      {"2007-06-06 00:30 AM", "refused"},
      // Days of their month, and the dates accepted.
      {"2008-02-29", "2008-02-29 00:00:00"},
      {"2000-02-29", "2000-02-29 00:00:00"},
      {"2007-02-29", "refused"},
      {"1900-02-29", "refused"},
      {"2007-04-31", "refused"},
      {"2007-12-31", "2007-12-31 00:00:00"},
      {"1970-01-01 23:59:59", "refused"},
      {"3000-12-30 23:59:61", "3000-12-30 23:59:61"},
      {"3000-12-31 00:00:00", "refused"},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(Show(ReadWallClockText(text)), expected) << text;
}

}  // namespace
}  // namespace pos_video
