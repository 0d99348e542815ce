#include "search_time/time_option.h"

#include <gtest/gtest.h>

#include "base/launch_request.h"
#include "support/fake_platform.h"
#include "support/time_zone_scope.h"

namespace pos_video {
namespace {

constexpr std::int64_t kNow = 1234567890;
// 2007-06-06 is summer time (UTC+2) in this zone, spelled out so no zone database is needed.
constexpr char kTimeZone[] = "CET-1CEST,M3.5.0,M10.5.0/3";
constexpr std::int64_t kJune6th2007At145025 = 1181134225;
constexpr std::int64_t kJune6th2007AtMidnight = 1181080800;

constexpr std::int64_t kRefused = -99;

// The search time a command line asks for, as the launcher reads it.
std::optional<PcSearchTime> SearchTimeOf(const std::string& commandLine, MessageSink& messages) {
  return ReadSearchTime(ReadLaunchRequest(commandLine).timeText, kNow, messages, LocalTimeSeconds);
}

TEST(TimeOptionTest, FormsWhereTheTimeTextEndsAndWhatIsRefused) {
  testing::TimeZoneScope zone(kTimeZone);
  const std::pair<const char*, std::int64_t> cases[] = {
      {"-n 4", kNow},
      {"-t \t 2007-06-06 14:50:25", kJune6th2007At145025},
      {"-t2007-06-06 14:50:25 -n 4", kJune6th2007At145025},
      {"/T2007-06-06 14:50:25/N4", kJune6th2007At145025},
      {"-T1999-01-01 /t2007-06-06 14:50:25 -t2007-06-06", kJune6th2007AtMidnight},
      {"-t2007-06-06 -n 4", kJune6th2007AtMidnight},
      {"-t2040-01-02 03:04:05", 2209082645},
      // Quoted as a Windows caller quotes an argument with a blank, wherever the quotes stand.
      {"-t\" 2007-06-06 14:50:25\"", kJune6th2007At145025},
      {"-t \"2007-06-06\" \"14:50:25\"", kJune6th2007At145025},
      {"-n 4 -t \"2007-06-06 2:50:25\" PM", kJune6th2007At145025},
      {"/t \"2007-06-06\" /n 4", kJune6th2007AtMidnight},
      // An offset of its own, not the PC's zone.
      {"-t2007-06-06 12:50:25Z", kJune6th2007At145025},
      // The first and last days accepted, wall clock.
      {"-t1970-01-02 00:00:00", 82800},
      {"-t3000-12-30 23:59:59", 32535125999},
      // Refused: which texts are is the wall clock reader's to say, and is tested there.
      {"-t \"2007-06-06\" x", kRefused},
      {"-t", kRefused},
  };
  for (const auto& [commandLine, expected] : cases) {
    testing::FakePlatform sink;
    const std::optional<PcSearchTime> searchTime = SearchTimeOf(commandLine, sink);
    EXPECT_EQ(searchTime ? searchTime->seconds : kRefused, expected) << commandLine;
    EXPECT_EQ(sink.messages.size(), expected == kRefused ? 1u : 0u) << commandLine;
  }
}

}  // namespace
}  // namespace pos_video
