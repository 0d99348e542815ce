#include "launch_sequence/run_launcher.h"

#include <gtest/gtest.h>

#include <string>

#include "base/launch_constants.h"
#include "support/fake_platform.h"
#include "support/mapping_text.h"
#include "support/time_zone_scope.h"

namespace pos_video {
namespace {

using testing::kCamera;
using testing::Term;
using testing::TermToInput;

// Text that looks like a character reference stays text, whichever TinyXML is built in.
const std::string kMapping =
    TermToInput(Term("4", "<System Name=\"S&amp;#x41;\"><Input Name=\"C\"/></System>"));

// The time option's time is the store's wall clock, moved onto the recorder's clock; without
// the option the search is around the current time, which is absolute already. Without the
// attributes the time is the PC's, as it always was.
TEST(RunLauncherTest, TheTransactionTimeIsReadOnTheStoresClock) {
  testing::TimeZoneScope zone("JST-9");
  const std::string kChicago = " TimeZone=\"America/Chicago\"";
  const std::string kNewYork = " TimeZone=\"America/New_York\"";
  const std::string kAt = "-n 4 -t2007-06-06 14:50:25";  // 1181141425 in UTC.
  const struct {
    std::string root, term, commandLine;
    std::int64_t start;
  } cases[] = {
      {"", "", kAt, 1181141425 - 9 * 3600},
      {kChicago, "", kAt, 1181141425 + 5 * 3600},
      {kChicago + " ClockOffset=\"12\"", "", kAt, 1181141425 + 5 * 3600 + 12},
      {" ClockOffset=\"-30\"", "", kAt, 1181141425 - 9 * 3600 - 30},
      {kChicago, " TimeZone=\"&lt;+0530&gt;-5:30\"", kAt, 1181141425 - 19800},
      {kChicago + " ClockOffset=\"12\"", " ClockOffset=\"0\"", kAt, 1181141425 + 5 * 3600},
      {"", " TimeZone=\"UTC\" ClockOffset=\"7\"", kAt, 1181141425 + 7},
      {kChicago + " ClockOffset=\"12\"", "", "-n 4", 1181141425},
      {kChicago, "", "-n 4 -t2007-06-06 2:50:25\u202FPM", 1181141425 + 5 * 3600},
      // An abbreviation picks among the zone's readings: the occurrence it names, the first where
      // both carry it, and where it is not in force, its use nearest the date. Without a zone it
      // is ignored.
      {kNewYork, "", "-n 4 -t2026-11-01 01:30:00 EDT", 1793511000},
      {kNewYork, "", "-n 4 -t2026-11-01 01:30:00 EST", 1793514600},
      {" TimeZone=\"Europe/Moscow\"", "", "-n 4 -t2014-10-26 01:30:00 MSK", 1414272600},
      {kNewYork, "", "-n 4 -t2026-07-01 14:00:00 EST", 1782932400},
      {"", "", kAt + " EST", 1181141425 - 9 * 3600},
      {"", " TimeZone=\"CST6CDT,M3.2.0,M11.1.0\"", kAt + " CST", 1181141425 + 6 * 3600},
  };
  for (const auto& c : cases) {
    testing::FakePlatform platform;
    platform.files[kMappingFilePath] =
        TermToInput(Term("4", kCamera, c.term), " Pre=\"0\"" + c.root);
    RunLauncher(c.commandLine, 1181141425, platform);
    EXPECT_TRUE(platform.messages.empty());
    const std::string& document = platform.files[kCommandDocumentPath];
    EXPECT_NE(document.find("<Search Start=\"" + std::to_string(c.start) + "\""), std::string::npos)
        << c.root << c.term << " " << c.commandLine << "\n"
        << document;
  }
}

// Each message, and each ending that shows nothing, is filed under its own kind: on Windows these
// are the event log's IDs, which a fleet's monitoring filters on. A failure stops the sequence
// where it is found: the client starts only when the document was saved.
TEST(RunLauncherTest, EveryEndingIsFiledUnderItsKind) {
  using K = MessageKind;
  const std::string invalidTerm = Term("7", testing::kNoCamera);
  const std::string withInvalid = TermToInput(testing::Repeated(invalidTerm, 12) + Term("4"));
  std::vector<MessageKind> tenInvalid(10, K::kInvalidTerm);
  tenInvalid.push_back(K::kMoreInvalidTerms);
  const std::string oneInvalid = TermToInput(invalidTerm);
  struct Case {
    const char* mapping;  // Null: no mapping file.
    const char* commandLine;
    bool unwritable;
    const char* startFailure;
    bool saved;
    std::vector<MessageKind> shown, recorded;
  };
  const Case cases[] = {
      {nullptr, "-n 4", false, "", false, {K::kMappingFileUnreadable}, {}},
      {"<a", "-n 4", false, "", false, {K::kMappingFileNotRead}, {}},
      {"<Other/>", "-n 4", false, "", false, {}, {K::kNotAMappingFile}},
      {"<TermToInput><Term/></TermToInput>", "-n 4", false, "", false, {}, {K::kNothingLoaded}},
      {oneInvalid.c_str(), "-n 7", false, "", false, {K::kInvalidTerm}, {}},
      {kMapping.c_str(), "-t x", false, "", false, {K::kTimeUnreadable}, {}},
      {kMapping.c_str(), "", false, "", false, {K::kTerminalNotMapped}, {}},  // Terminal 101.
      {kMapping.c_str(), "-n 4", true, "", false, {K::kDocumentNotWritten}, {}},
      {kMapping.c_str(), "-n 4", false, "File not found", true, {}, {K::kClientNotStarted}},
      {withInvalid.c_str(), "-n 4", false, "", true, tenInvalid, {}},
  };
  for (const Case& test : cases) {
    testing::FakePlatform platform;
    if (test.mapping != nullptr) platform.files[kMappingFilePath] = test.mapping;
    if (test.unwritable) platform.unwritable.insert(kCommandDocumentPath);
    platform.clientStartFailure = test.startFailure;
    RunLauncher(test.commandLine, 1181141425, platform);
    EXPECT_EQ(platform.kinds, test.shown) << test.commandLine;
    std::vector<MessageKind> recorded;
    for (const auto& [kind, text] : platform.warnings) recorded.push_back(kind);
    EXPECT_EQ(recorded, test.recorded) << test.commandLine;
    EXPECT_EQ(platform.files.count(kCommandDocumentPath), test.saved ? 1u : 0u) << test.commandLine;
    EXPECT_EQ(platform.starts.size(), test.saved ? 1u : 0u) << test.commandLine;
  }
}

}  // namespace
}  // namespace pos_video
