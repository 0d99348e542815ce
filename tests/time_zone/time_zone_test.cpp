#include "time_zone/time_zone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/time_zone_scope.h"
#include "time_zone/zone_abbreviations.h"

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
    "<+00>0<+02>-2,M3.5.0/1,M10.5.0/3 GMT0BST,M3.5.0/1,M10.5.0 UTC0 <UTC>+0 <UTCX>+5 "
    // Abbreviations as tzdata gives them, with another offset, and unknown to it.
    "EST+5 IST-5:30 IST-1 GST-4 <+05>-5:30 ABC+3 AAA3BBB,J100/0,J101/0 EST5EDT,0/0,365/24 "
    // Daylight time all year, where one year's end meets the next one's start.
    "EST5EDT,0/0,J365/25";

std::string GlibcLocalTime(std::time_t second) {
  std::tm local{};
  localtime_r(&second, &local);
  return std::to_string(local.tm_gmtoff) + " " + local.tm_zone;
}

std::string OurLocalTime(const TimeZone& zone, std::int64_t second) {
  const ZoneLocalTime local = ZoneTimeAt(zone, second);
  return std::to_string(local.utcOffset) + " " + local.abbreviation;
}

// A rule with whole-hour offsets and change times, so that changes lie an hour or more apart: its
// days in every form, and daylight periods from an hour (days that follow one another) to a year.
std::string RandomRule(std::mt19937& random) {
  const auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const int form = pick(0, 2), start = pick(0, 365);
  const auto day = [&](int day) {
    return form == 0 ? "J" + std::to_string(std::max(day, 1)) : std::to_string(day);
  };
  const std::string startDay = form == 2 ? "M" + std::to_string(pick(1, 12)) + "." +
                                               std::to_string(pick(1, 5)) + "." +
                                               std::to_string(pick(0, 6))
                                         : day(start);
  const std::string endDay =
      pick(0, 1) ? day(std::min(start + pick(0, 2), 365)) : day(pick(0, 365));
  const int standard = pick(-12, 12), daylight = standard - pick(-2, 3);
  return "AAA" + std::to_string(standard) + "BBB" + std::to_string(daylight) + "," + startDay +
         "/" + std::to_string(pick(-24, 167)) + "," + endDay + "/" + std::to_string(pick(-24, 167));
}

// The fixed rules and random ones, each over two years, against glibc, which reads each from the
// rule text: the local time every half hour and either side of each change glibc makes, and wall
// times that occur once, away from changes (at a change glibc's mktime picks either reading).
TEST(TimeZoneTest, RulesAgreeWithGlibc) {
  std::mt19937 random(20070606);
  std::vector<std::string> rules = Names(kRules);
  for (int i = 0; i < 150; ++i) rules.push_back(RandomRule(random));
  for (const std::string& rule : rules) {
    const std::optional<TimeZone> zone = FindTimeZone(rule);
    ASSERT_TRUE(zone.has_value()) << rule;
    testing::TimeZoneScope scope(rule.c_str());
    const std::int64_t from =
        DaysSinceEpoch(std::uniform_int_distribution<int>(1970, 2035)(random), 1, 1) *
            kSecondsPerDay -
        kSecondsPerDay;
    const std::int64_t to = from + 733 * kSecondsPerDay;
    for (std::int64_t second = from; second < to; second += 1800) {
      ASSERT_EQ(OurLocalTime(*zone, second), GlibcLocalTime(second)) << rule << " at " << second;
      if (GlibcLocalTime(second) == GlibcLocalTime(second + 1800)) continue;
      std::int64_t low = second, high = second + 1800;
      while (high - low > 1) {
        const std::int64_t middle = (low + high) / 2;
        (GlibcLocalTime(middle) == GlibcLocalTime(second) ? low : high) = middle;
      }
      EXPECT_EQ(OurLocalTime(*zone, high - 1) + " | " + OurLocalTime(*zone, high),
                GlibcLocalTime(high - 1) + " | " + GlibcLocalTime(high))
          << rule << " at " << high;
    }
    for (int i = 0; i < 300; ++i) {
      std::time_t wall = std::uniform_int_distribution<std::int64_t>(from, to)(random);
      std::tm record{};
      gmtime_r(&wall, &record);
      const ZoneConversion ours =
          ConvertWallClock(*zone, {record.tm_year + 1900, record.tm_mon + 1, record.tm_mday,
                                   record.tm_hour, record.tm_min, record.tm_sec});
      if (ours.fit != WallClockFit::kOnce) continue;
      record.tm_isdst = -1;
      EXPECT_EQ(ours.utcSeconds, std::mktime(&record)) << rule << " " << std::asctime(&record);
    }
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
      "UTC+5 GMT-3 utc+05:30 <UTC>-8 <gmt>+0:0:1 <UT>+5 <Z>-5 UTC+5EDT,M3.2.0,M11.1.0 "
      // The opposite of what tzdata gives the abbreviation, standard or daylight.
      "CET+1 EET+2 EST-5 <+03>+3 <-0530>-5:30 CET-1CEST+2,M3.5.0,M10.5.0/3";
  for (const std::string& value : Names(values)) EXPECT_FALSE(FindTimeZone(value)) << value;
  using namespace std::string_literals;  // For "UTC\0"s, which holds the NUL.
  for (const std::string& value : {""s, "America/Chicago "s, "<+0 5>-5"s, "UTC\0"s}) {
    EXPECT_FALSE(FindTimeZone(value)) << value;
  }
}

// Every Windows ID of territory 001 in CLDR's file reads as the zone it maps to, but those that
// are also POSIX rules with a UTC offset.
TEST(TimeZoneTest, WindowsNamesAsCldrMapsThem) {
  std::ifstream file("/usr/share/unicode/cldr/common/supplemental/windowsZones.xml");
  const std::string xml{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  const std::regex mapZone("<mapZone other=\"([^\"]+)\" territory=\"001\" type=\"([^\"]+)\"");
  int names = 0, loaded = 0;
  for (std::sregex_iterator at(xml.begin(), xml.end(), mapZone), end; at != end; ++at, ++names) {
    const std::string id = (*at)[1], target = (*at)[2];
    EXPECT_EQ(WindowsZoneTarget(id), target) << id;
    const std::optional<TimeZone> zone = FindTimeZone(id);
    EXPECT_EQ(!zone, id.rfind("UTC", 0) == 0 && id != "UTC") << id;
    loaded += zone ? 1 : 0;
    EXPECT_TRUE(!zone || zone->record == FindTimeZone(target)->record) << id;
  }
  EXPECT_EQ(std::make_pair(names, loaded), std::make_pair(139, 133)) << "CLDR 41, as README says";
  EXPECT_EQ(WindowsZoneDataVersion(), std::string("41"));
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
