#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "checker/checker_run.h"
#include "checker/mapping_review.h"
#include "support/fake_platform.h"
#include "support/time_zone_scope.h"
#include "system/text_files.h"

namespace pos_video {
namespace {

struct Checked {
  int status;
  std::string out;
  std::string err;
};

Checked Check(const std::vector<std::string>& arguments, FileReader& files) {
  std::ostringstream out, err;
  const int status = RunChecker(arguments, 1181141425, files, out, err);
  return {status, out.str(), err.str()};
}

// The README walks through this file: the findings must stay as shown there.
TEST(CheckerTest, TheBrokenSampleAsTheReadmeShowsIt) {
  testing::FakePlatform files;
  files.files["termToInput.xml"] =
      ReadTextFile(std::string(SOURCE_FOLDER) + "/examples/broken/termToInput.xml", 1 << 20).text;
  const Checked checked = Check({}, files);
  EXPECT_EQ(checked.status, 1);
  EXPECT_EQ(checked.out,
            R"(Mapping file: termToInput.xml
The launcher loads 1 terminal from it, but skips, ignores or replaces something.

Launch settings:
  Width     640  from the file (written "640px")
  Height    377  default: "tall" is not an integer
  Pre        10  from the file
  Post        5  default: not in the file

Terminals:
  1      System "Store 12 Recorder", Input Name "Lane 1 Side"  (line 29)

Findings:
  termToInput.xml:4:28: Height "tall" is not an integer: the launcher keeps the default 377
  termToInput.xml:10:5: Term for terminal 2 skipped: its System holds no Input element; an Input stands directly under Term, where the launcher does not look for it: move it inside System
  termToInput.xml:14:5: Term skipped: it has no Number attribute (found number: names are case-sensitive)
  termToInput.xml:19:5: Term for terminal 4 rejected with a message: its Input has neither Name nor Number
  termToInput.xml:24:5: <term> inside TermToInput is ignored: the launcher reads only Term elements there (names are case-sensitive)
  termToInput.xml:29:5: Term for terminal 1 replaces the one at line 5, column 5: the later Term wins, whole
  termToInput.xml:35:1: the launcher stops reading at the end of the first element and never reads this: "<Term Number="101"> ..."; Terms belong inside TermToInput

Messages the launcher shows:
  Found invalid mapping for Term Number 4 in file termToInput.xml
)");
}

TEST(CheckerTest, ThePreviewShowsTheDocumentOrTheMessages) {
  testing::TimeZoneScope zone("UTC0");
  testing::FakePlatform files;
  files.files["m.xml"] =
      "<TermToInput><Term Number=\"4\"><System Name=\"S\"><Input Name=\"C\"/></System></Term>"
      "</TermToInput>";
  const Checked found = Check({"m.xml", "-n", "4", "-t", "2007-06-06 14:50:25"}, files);
  EXPECT_EQ(found.status, 0);
  EXPECT_NE(found.out.find("Launch for terminal 4, search around 1181141425 (2007-06-06 "
                           "14:50:25 local time):\n  Messages: none\n  The client is started "
                           "with this command document (mouse pointer at 0, 0):\n<?xml"),
            std::string::npos)
      << found.out;
  EXPECT_NE(found.out.find("<Search Start=\"1181141420\" End=\"1181141430\">"), std::string::npos);
  const Checked unmapped = Check({"m.xml", "-n7"}, files);
  EXPECT_NE(unmapped.out.find("    Mapping of search terminal 7 to camera not found.\n  No "
                              "command document is written and the client is not started.\n"),
            std::string::npos)
      << unmapped.out;
  const Checked badTime = Check({"m.xml", "-t", "06/06/2007"}, files);
  EXPECT_NE(badTime.out.find("Launch for terminal 101, with a time the launcher cannot read:\n  "
                             "Messages:\n    Could not read the transaction time \"06/06/2007\": "
                             "expected YYYY-MM-DD HH:MM:SS.\n  No command document"),
            std::string::npos)
      << badTime.out;
}

TEST(CheckerTest, FindingsOfFilesThatLoadLittleOrNothing) {
  const std::string good =
      "<TermToInput>\n<Term Number=\"1\"><System Name=\"S\"><Input Name=\"C\"/></System></Term>";
  const std::tuple<std::string, int, std::string> cases[] = {
      {"<TermToInput>\n<Term>\n</TermToInput>", 2,
       "m.xml:3:7: the launcher cannot parse the file: Error reading end tag."},
      {std::string("<TermToInput>\0</TermToInput>", 28), 2,
       "m.xml: the launcher refuses the file before parsing it: The file holds a NUL byte"},
      {"<?xml version=\"1.0\" ?>\n<!-- nothing yet -->", 2, "m.xml: the file holds no element"},
      {"<!-- a -->\n  <termToInput/>", 2,
       "m.xml:2:3: the first element is <termToInput>, not <TermToInput>: the launcher loads "
       "nothing and shows no message (names are case-sensitive)"},
      {"<TermToInput>\n<Term Number=\"1\"/>\n</TermToInput>", 2,
       "m.xml: no Term gives the launcher a terminal: it loads nothing, shows no message and "
       "never starts the client"},
      {good + "\r\n\tTerm text</TermToInput>\r\n\t<!-- c --><Term Number=\"2\"/>", 1,
       "m.xml:3:5: text inside TermToInput is ignored: \"Term text\"\n  m.xml:4:15: the launcher "
       "stops reading at the end of the first element and never reads this: \"<Term "
       "Number=\"2\"/>\"; Terms belong inside TermToInput"},
      {good + "</TermToInput><TermToInput/>", 1,
       "m.xml:2:82: the launcher stops reading at the end of the first element and never reads "
       "this: \"<TermToInput/>\"; a TermToInput here is never read"},
      {"<TermToInput><Term Number=\"3\"><System Name=\"Lane&#0;1\"><Input Number=\"&#x1;\"/>"
       "</System></Term></TermToInput>",
       1,
       "m.xml:1:39: Term for terminal 3: its System Name holds a reference to the character 0, "
       "which ends it: the launcher uses \"Lane\"\n  m.xml:1:63: Term for terminal 3: its Input "
       "Number holds the control character 1, which the client receives as it is"},
      {"<TermToInput Pre=\"5\" width=\"500\">" + good.substr(13) + "</TermToInput>", 1,
       "m.xml:1:22: width is not Width: the launcher keeps the default 392 (found width: names "
       "are case-sensitive)"},
      {good + "<Term Number=\"1\"><System Name=\"S\"><Input Device=\"1\"/></System></Term>" +
           "<Term Number=\"1\"><System Name=\"S\"><Input "
           "Name=\"D\"/></System></Term></TermToInput>",
       1,
       "m.xml:2:68: Term for terminal 1 rejected with a message: its Input has neither Name nor "
       "Number\n  m.xml:2:137: Term for terminal 1 replaces the one at line 2, column 1"},
  };
  for (const auto& [text, status, finding] : cases) {
    testing::FakePlatform files;
    files.files["m.xml"] = text;
    const Checked checked = Check({"m.xml"}, files);
    EXPECT_EQ(checked.status, status) << text;
    EXPECT_NE(checked.out.find("  " + finding), std::string::npos) << checked.out;
  }
  testing::FakePlatform none;
  const Checked missing = Check({"missing.xml"}, none);
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.out.find("missing.xml: cannot read the file: No such file or directory\n\n"
                             "Messages the launcher shows:\n  Could not open file missing.xml\n"),
            std::string::npos)
      << missing.out;
}

TEST(CheckerTest, UsageErrors) {
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"-n"}, "-n needs a value"},
      {{"-n", "12x"}, "-n needs a terminal number, not \"12x\""},
      {{"-n", "-"}, "-n needs a terminal number, not \"-\""},
      {{"-t2007-06-06", "14:50:25"}, "\"14:50:25\" looks like the time of -t"},
      {{"-x"}, "unknown option -x"},
      {{"a.xml", "b.xml"}, "only one mapping file can be checked at a time"},
  };
  testing::FakePlatform files;
  for (const auto& [arguments, error] : cases) {
    const Checked checked = Check(arguments, files);
    EXPECT_EQ(checked.status, 64);
    EXPECT_EQ(checked.err.rfind(std::string("pos-video-check: ") + error, 0), 0u) << checked.err;
  }
  EXPECT_EQ(Check({"--", "-n"}, files).out.rfind("Mapping file: -n\n", 0), 0u);
  EXPECT_EQ(Check({"--help"}, files).status, 0);
}

}  // namespace
}  // namespace pos_video
