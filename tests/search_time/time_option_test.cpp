#include "search_time/time_option.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "launcher/launch_constants.h"
#include "launcher/run_sequence.h"
#include "support/fake_platform.h"
#include "support/scratch_directory.h"
#include "support/time_zone_scope.h"

namespace pos_video {
namespace {

constexpr std::int64_t kNow = 1234567890;

// Central European time with its daylight-saving rule, spelled out so that no zone database is
// needed: 2007-06-06 is summer time (UTC+2), January is UTC+1.
constexpr char kTimeZone[] = "CET-1CEST,M3.5.0,M10.5.0/3";
constexpr std::int64_t kJune6th2007At145025 = 1181134225;  // 12:50:25 UTC
constexpr std::int64_t kJune6th2007AtMidnight = 1181080800;
constexpr std::int64_t kJanuary2nd2040At030405 = 2209082645;
constexpr std::int64_t kDecember14th1901AtMidnight = -2147475600;

// Local time is read through the TZ variable.
class TimeOptionTest : public ::testing::Test {
 private:
  testing::TimeZoneScope zone_{kTimeZone};
};

struct OptionCase {
  const char* commandLine;
  std::int64_t searchTime;
};

TEST_F(TimeOptionTest, FormsAndWhereTheTimeTextEnds) {
  const OptionCase cases[] = {
      {"", kNow},
      {"-n 4", kNow},
      {"-t2007-06-06 14:50:25", kJune6th2007At145025},
      {"-T2007-06-06 14:50:25", kJune6th2007At145025},
      {"/t2007-06-06 14:50:25", kJune6th2007At145025},
      {"/T2007-06-06 14:50:25", kJune6th2007At145025},
      {"-n 4 -t2007-06-06 14:50:25", kJune6th2007At145025},
      {"-t2007-06-06 14:50:25 -n 4", kJune6th2007At145025},
      {"/T2007-06-06 14:50:25/N4", kJune6th2007At145025},
      // "-t" is looked for first, wherever the other forms stand.
      {"/t1999-01-01 -t2007-06-06 14:50:25", kJune6th2007At145025},
      {"-T1999-01-01 /t2007-06-06 14:50:25 -t2007-06-06", kJune6th2007AtMidnight},
      // Whatever was read before the text stopped matching is kept; the rest stays zero.
      {"-t2007-06-06", kJune6th2007AtMidnight},
      {"-t2007-06-06 -n 4", kJune6th2007AtMidnight},
      {"-t2007-06-06 14", kJune6th2007AtMidnight + 14 * 3600},
      {"-t2040-01-02 03:04:05", kJanuary2nd2040At030405},
      // Normalised by the conversion: day 0 is the last day of the month before.
      {"-t2007-07-00 00:00:00", kJune6th2007AtMidnight + 24 * 86400},
      {"-t1901-12-14 00:00:00", kDecember14th1901AtMidnight},
      // Earlier than a 32-bit count can hold.
      {"-t1901-12-13 00:00:00", -1},
      // Nothing readable: the all-zero record is day 0 of 1900.
      {"-t 2007-06-06 14:50:25", -1},
      {"-t", -1},
      {"-tnow", -1},
  };
  for (const OptionCase& c : cases) {
    EXPECT_EQ(ReadSearchTime(c.commandLine, kNow), c.searchTime)
        << "command line: " << c.commandLine;
  }
}

// The whole way from the command line to the search window in the document the client reads.
TEST_F(TimeOptionTest, SearchWindowInTheCommandDocument) {
  testing::ScratchDirectory scratch;
  testing::CurrentDirectoryScope inScratch(scratch.path());
  testing::WriteFileBytes(scratch.path() + "/" + kMappingFilePath,
                          "<TermToInput Pre=\"60\" Post=\"5\">\n"
                          "  <Term Number=\"4\"><System Name=\"Recorder\"><Input Name=\"Lane\"/>"
                          "</System></Term>\n"
                          "</TermToInput>\n");
  const OptionCase cases[] = {
      {"-n 4 -t2040-01-02 03:04:05", kJanuary2nd2040At030405},
      {"-t 2007-06-06 14:50:25 -n 4", -1},
      {"-n 4", kNow},
  };
  for (const OptionCase& c : cases) {
    testing::FakePlatform platform(scratch.path());
    RunLauncher(c.commandLine, kNow, platform);
    const std::string document = testing::ReadFileBytes(platform.HostPath(kCommandDocumentPath));
    const std::string window = "Start=\"" + std::to_string(c.searchTime - 60) + "\" End=\"" +
                               std::to_string(c.searchTime + 5) + "\"";
    EXPECT_NE(document.find(window), std::string::npos)
        << "command line: " << c.commandLine << "\ndocument:\n"
        << document;
  }
}

}  // namespace
}  // namespace pos_video
