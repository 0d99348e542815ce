#include "time_zone/time_zone.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/time_zone_scope.h"

namespace pos_video {
namespace {

constexpr char kZoneInfo[] = "/usr/share/zoneinfo/";

// The names in `list`, which are separated by blanks.
std::vector<std::string> Names(const std::string& list) {
  std::istringstream words(list);
  return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

// Every form of rule, read by glibc from the rule text. The named zones are compared with tzdata
// below.
const char kRules[] =
    "CST6CDT,M3.2.0,M11.1.0 <+0530>-5:30 AEST-10AEDT,M10.1.0,M4.1.0/3 NST3:30NDT,M3.2.0,M11.1.0 "
    "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0 XLMT-0:30:20 CET-1CEST,J60/2,J300/3 "
    "<-03>3<-02>,J300,J59/25 <-03>3<-02>,M1.1.0,M6.1.0 EST5EDT,59/2,300 "
    "EET-2EEST,M3.4.4/50,M10.4.4/50 <-02>2<-01>,M3.5.0/-1,M10.5.0/0 "
    "<+00>0<+02>-2,M3.5.0/1,M10.5.0/3 GMT0BST,M3.5.0/1,M10.5.0 UTC0 <UTC>+0 <UTCX>+5";

std::int64_t GlibcOffset(std::time_t second) {
  std::tm local{};
  localtime_r(&second, &local);
  return local.tm_gmtoff;
}

TEST(TimeZoneTest, RulesAgreeWithGlibcAwayFromChanges) {
  std::mt19937 random(20070606);
  for (const std::string& name : Names(kRules)) {
    const std::optional<TimeZone> zone = FindTimeZone(name);
    ASSERT_TRUE(zone.has_value()) << name;
    testing::TimeZoneScope scope(name.c_str());
    std::uniform_int_distribution<int> year(1970, 2037), month(1, 12), day(1, 31), hour(0, 23),
        sixty(0, 59);
    for (int i = 0; i < 2000; ++i) {
      WallClock time{year(random), month(random), day(random),
                     hour(random), sixty(random), sixty(random)};
      time.day = std::min(time.day, DaysInMonth(time.year, time.month));
      // glibc's order of the fields; tm_isdst -1: whichever applies there.
      std::tm record{time.second,      time.minute, time.hour, time.day, time.month - 1,
                     time.year - 1900, 0,           0,         -1,       0,
                     nullptr};
      const std::time_t expected = std::mktime(&record);
      // Around a change glibc picks either reading.
      if (GlibcOffset(expected - 12 * 3600) != GlibcOffset(expected + 12 * 3600)) continue;
      const ZoneConversion conversion = ConvertWallClock(*zone, time);
      ASSERT_EQ(conversion.utcSeconds, expected) << name << " " << std::asctime(&record);
      EXPECT_EQ(conversion.utcOffset, record.tm_gmtoff) << name;
      EXPECT_EQ(conversion.abbreviation, record.tm_zone) << name;
      EXPECT_EQ(conversion.fit, WallClockFit::kOnce) << name;
    }
  }
}

// How a time at a change fits the wall clock; the seconds of every name at every listed change are
// compared with tzdata below.
TEST(TimeZoneTest, TimesAtAChange) {
  struct Case {
    const char* zone;
    WallClock time;
    std::int64_t utcSeconds;
    const char* abbreviation;
    WallClockFit fit;
  };
  const auto skipped = WallClockFit::kSkipped, repeated = WallClockFit::kRepeated;
  const Case cases[] = {
      {"America/Chicago", {2007, 3, 11, 2, 30, 0}, 1173601800, "CDT", skipped},
      {"America/Chicago", {2007, 11, 4, 1, 30, 0}, 1194157800, "CDT", repeated},
      {"Europe/Dublin", {2025, 3, 30, 1, 30, 0}, 1743298200, "IST", skipped},
      {"Europe/Dublin", {2025, 10, 26, 1, 30, 0}, 1761438600, "IST", repeated},
      // Listed changes: Hebron's, and the day Samoa skipped before its present rule.
      {"Asia/Hebron", {2030, 10, 26, 1, 30, 0}, 1919197800, "EEST", repeated},
      {"Pacific/Apia", {2011, 12, 30, 12, 0, 0}, 1325282400, "+14", skipped},
      // Daylight time all year, where one year's end meets the next one's start.
      {"EST5EDT,0/0,J365/25", {2030, 1, 1, 12, 0, 0}, 1893513600, "EDT", WallClockFit::kOnce},
  };
  for (const Case& c : cases) {
    const ZoneConversion conversion = ConvertWallClock(*FindTimeZone(c.zone), c.time);
    EXPECT_EQ(std::tie(conversion.utcSeconds, conversion.abbreviation, conversion.fit),
              std::tie(c.utcSeconds, c.abbreviation, c.fit))
        << c.zone << " " << c.time.month;
  }
}

// "5" is a rule without a name, "EST5XDT" daylight time without its rules; "UTC+5" is often meant
// as UTC+05:00, which POSIX reads as UTC-05:00.
TEST(TimeZoneTest, ValuesThatAreNoZone) {
  const std::string values =
      "5 Factory localtime posixrules Mars/Base america/chicago EST5XDT EST5XDT4 EST5XDT,M3.2.0 "
      "EST5XDT,M3.2.0,M11.1.0x ABC ES5 <+05-5 <+5>-5 EST25 EST5:60 EST5XDT,M13.2.0,M11.1.0 "
      "EST5XDT,M3.6.0,M11.1.0 EST5XDT,M3.2.7,M11.1.0 EST5XDT,M3.2,M11.1.0 EST5XDT,J0,J300 "
      "EST5XDT,J366,J300 EST5XDT,366,300 EST5XDT,M3.2.0/168,M11.1.0 EST5XDT,M3.2.0/,M11.1.0 "
      "UTC+5 GMT-3 utc+05:30 <UTC>-8 <gmt>+0:0:1 <UT>+5 <Z>-5 UTC+5EDT,M3.2.0,M11.1.0";
  for (const std::string& value : Names(values)) EXPECT_FALSE(FindTimeZone(value)) << value;
  using namespace std::string_literals;  // For "UTC\0"s, which holds the NUL.
  for (const std::string& value : {""s, "America/Chicago "s, "<+0 5>-5"s, "UTC\0"s}) {
    EXPECT_FALSE(FindTimeZone(value)) << value;
  }
}

// What the checker says of the values whose sign people misread.
TEST(TimeZoneTest, OffsetsWhoseSignIsMisread) {
  EXPECT_EQ(UtcNamedOffset("<Z>-5"), 18000);
  EXPECT_EQ(UtcNamedOffset("<UTCX>+5"), std::nullopt);
  EXPECT_EQ(EtcGmtOffset("Etc/GMT-14"), 50400);
  EXPECT_EQ(EtcGmtOffset("Etc/GMT+0"), std::nullopt);
  EXPECT_EQ(FixedOffsetRule(3601), "<+010001>-1:00:01");
  EXPECT_EQ(FixedOffsetRule(-36600), "<-1010>+10:10");
}

// Every name against tzdata itself, as Python's zoneinfo reads the installed files (fold=0: the
// README's rule): random wall times, and those around each change zoneinfo shows.
TEST(TimeZoneTest, EveryNameAgreesWithTzdata) {
  std::ifstream listing(std::string(kZoneInfo) + "tzdata.zi");
  std::string version;
  ASSERT_TRUE(std::getline(listing, version)) << "install tzdata";
  EXPECT_EQ(version, std::string("# version ") + TimeZoneDataVersion());
  FILE* oracle =
      popen("python3 " SOURCE_FOLDER "/tests/time_zone/tzdata_oracle.py /usr/share/zoneinfo", "r");
  ASSERT_NE(oracle, nullptr);
  char line[160], name[64];
  WallClock time;
  int lines = 0, wrong = 0;
  // "America/Chicago 2007 03 11 02 30 00 | 1173601800 -18000 CDT"
  while (wrong < 10 && std::fgets(line, sizeof line, oracle) != nullptr) {
    ++lines;
    std::sscanf(line, "%63s %d %d %d %d %d %d", name, &time.year, &time.month, &time.day,
                &time.hour, &time.minute, &time.second);
    const std::optional<TimeZone> zone = FindTimeZone(name);
    const ZoneConversion ours = zone ? ConvertWallClock(*zone, time) : ZoneConversion{};
    const std::string said = std::to_string(ours.utcSeconds) + " " +
                             std::to_string(ours.utcOffset) + " " + ours.abbreviation + "\n";
    if (said != std::strstr(line, "| ") + 2) {
      ++wrong;
      ADD_FAILURE() << line << "reads as " << said;
    }
  }
  pclose(oracle);
  EXPECT_GT(lines, 200000) << "the test needs python3 with zoneinfo";
}

}  // namespace
}  // namespace pos_video
