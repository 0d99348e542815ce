#include "checker/checker_run.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>

#include "base/launch_constants.h"
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

Checked Check(const std::vector<std::string>& arguments, testing::FakePlatform& files) {
  std::ostringstream out, err;
  const int status = RunChecker(arguments, 1181141425, files, files, out, err);
  return {status, out.str(), err.str()};
}

// The README walks through this file: the report must stay as shown there.
TEST(CheckerTest, TheBrokenSampleAsTheReadmeShowsIt) {
  testing::FakePlatform files;
  files.files["termToInput.xml"] =
      ReadTextFile(std::string(SOURCE_FOLDER) + "/examples/broken/termToInput.xml", 1 << 20).text;
  const std::string readme = ReadTextFile(std::string(SOURCE_FOLDER) + "/README.md", 1 << 20).text;
  const std::string command = "$ cd examples/broken && pos-video-check\n";
  const std::size_t shown = readme.find(command) + command.size();
  ASSERT_GT(shown, command.size());
  const Checked checked = Check({}, files);
  EXPECT_EQ(checked.status, 2);
  EXPECT_EQ(checked.out, readme.substr(shown, readme.find("```", shown) - shown));
}

TEST(CheckerTest, ThePreviewShowsTheDocumentOrTheMessages) {
  testing::TimeZoneScope zone("UTC0");
  testing::FakePlatform files;
  files.files["m.xml"] =
      "<TermToInput><Term Number=\"4\"><System Name=\"S\"><Input Name=\"C\"/></System></Term>"
      "</TermToInput>";
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"m.xml", "-n", "4", "-t", "2007-06-06 14:50:25"},
       R"(search around 1181141425 (2007-06-06 14:50:25 this PC's local time, TZ=UTC0):
  Messages: none
  The client is started with this command document (mouse pointer at 0, 0):
<?xml)"},
      // The words after "--" are read by the launcher's own reading, tested with it: an option
      // given twice counts the first time.
      {{"m.xml", "--", "-t2007-06-06", "14:50:30", "-t2008-01-01", "-n", "2", "-n4"},
       "Launch for terminal 2, search around 1181141430 (2007-06-06 14:50:30 this PC's local "
       "time, TZ=UTC0):"},
  };
  for (const auto& [arguments, shown] : cases) {
    const std::string out = Check(arguments, files).out;
    EXPECT_NE(out.find(shown), std::string::npos) << out;
  }
}

TEST(CheckerTest, FindingsOfFilesThatLoadLittleOrNothing) {
  const std::string good =
      "<TermToInput>\n<Term Number=\"1\"><System Name=\"S\"><Input Name=\"C\"/></System></Term>";
  const std::tuple<std::string, int, std::string> cases[] = {
      {"<TermToInput>\n<Term>\n</TermToInput>", 2,
       "m.xml:3:7: error: the launcher cannot parse the file: Error reading end tag."},
      {std::string("<TermToInput>\0</TermToInput>", 28), 2,
       "m.xml: error: the launcher refuses the file before parsing it: The file holds a NUL byte"},
      {"<?xml version=\"1.0\" ?>\n<!-- nothing yet -->", 2,
       "m.xml: error: the file holds no element"},
      {"<!-- a -->\n  <termToInput/>", 2,
       R"(m.xml:2:3: error: the first element is <termToInput>, not <TermToInput>: the launcher loads nothing and shows no message (names are case-sensitive))"},
      {"<TermToInput>\n<Term Number=\"1\"/>\n</TermToInput>", 2,
       R"(m.xml: error: no Term gives the launcher a terminal: it loads nothing, shows no message and never starts the client)"},
      {good + "\r\n\tTerm text</TermToInput>\r\n\t<!-- c --><Term Number=\"2\"/>", 1,
       R"(m.xml:3:2: warning: text inside TermToInput is ignored: "Term text"
  m.xml:4:12: warning: the launcher stops reading at the end of the first element and never reads this: "<Term Number="2"/>"; Terms belong inside TermToInput)"},
      {good + "</TermToInput><TermToInput/>", 1,
       R"(m.xml:2:82: warning: the launcher stops reading at the end of the first element and never reads this: "<TermToInput/>"; a TermToInput here is never read)"},
      {good + "</TermToInput><Terms/>", 1,
       "m.xml:2:82: warning: the launcher stops reading at the end of the first element and never "
       "reads this: \"<Terms/>\"\n"},
      {"<TermToInput><Term Number=\"3\"><System Name=\"Lane&#0;1\"><Input Number=\"&#x1;\"/>"
       "</System></Term></TermToInput>",
       1,
       R"(m.xml:1:39: warning: Term for terminal 3: its System Name holds a reference to the character 0, which ends it: the launcher uses "Lane"
  m.xml:1:63: warning: Term for terminal 3: its Input Number holds the control character 1, which the client receives as it is)"},
      // Slips in names the launcher reads, each once, counted in characters (a tab and a UTF-8
      // sequence are one) where the reader counts a tab up to four.
      {"<?xml version=\"1.0\" encoding=\"utf-8\"?><TermToInput A=\"\xC3\xBC\" "
       "Widht=\"1\"\tTimezone="
       "\"UTC\" width=\"2\" Pos=\"3\">\n\t\t<Term Number=\"1\" clockoffset=\"4\" "
       "Width=\"3\"><System "
       "Name=\"S\" TimeZone=\"X\"><Input Name=\"Z\xC3\xBCrich\" ClockOffset=\"3\" "
       "Nume=\"x\"/></System>"
       "</Term></TermToInput>",
       1,
       R"(m.xml:1:83: warning: width is not Width: the launcher keeps the default 392 (found width: names are case-sensitive)
  m.xml:1:58: warning: Widht is not read: did you mean Width?
  m.xml:1:68: warning: Timezone is not read: the launcher reads TimeZone (names are case-sensitive)
  m.xml:1:93: warning: Pos is not read: did you mean Post?
  m.xml:2:20: warning: clockoffset is not read: the launcher reads ClockOffset (names are case-sensitive)
  m.xml:2:36: warning: Width on Term is not read: the launcher reads Width on TermToInput
  m.xml:2:63: warning: TimeZone on System is not read: the launcher reads TimeZone on TermToInput and Term
  m.xml:2:97: warning: ClockOffset on Input is not read: the launcher reads ClockOffset on TermToInput and Term
  m.xml:2:113: warning: Nume is not read: did you mean Number?

)"},
      // A name that a hint already points at is not named again; other attributes stay silent.
      {"\xEF\xBB\xBF<TermToInput Poste=\"1\">\n<Term number=\"2\" Note=\"x\" TimeZn=\"UTC\"/><Term "
       "Number=\"3\"><System Name=\"S\"><Input name=\"x\" NUMBER=\"3\" Devise=\"3\" Tzone=\"x\" "
       "Nmae=\"1\" ame=\"1\"/></System></Term></TermToInput>",
       2,
       R"(m.xml:1:14: warning: Poste is not read: did you mean Post?
  m.xml:2:1: warning: Term skipped: it has no Number attribute (found number: names are case-sensitive)
  m.xml:2:27: warning: TimeZn is not read: did you mean TimeZone?
  m.xml:2:41: error: Term for terminal 3 rejected with a message: its Input has neither Name nor Number (found name: names are case-sensitive) (found NUMBER: names are case-sensitive)
  m.xml:2:102: warning: Devise is not read: did you mean Device?
  m.xml:2:123: warning: Nmae is not read: did you mean Name?
  m.xml:2:132: warning: ame is not read: did you mean Name?
  m.xml: error)"},
      // Other tools' notes stay silent, where a short name's changed letter is no slip; a
      // swapped one is.
      {"<TermToInput Host=\"10.0.0.5\" Port=\"8080\" Note=\"x\" Pots=\"5\"><Term Number=\"1\" "
       "Lane=\"1\" Id=\"2\"><System Name=\"S\" Site=\"3\" Model=\"4\"><Input Name=\"C\" "
       "Type=\"5\" Nome=\"6\"/></System></Term></TermToInput>",
       1, "(line 1)\n\nFindings:\n  m.xml:1:51: warning: Pots is not read: did you mean Post?\n\n"},
      // A rejected Term is not the one that a later Term replaces.
      {good + "<Term Number=\"1\"><System Name=\"S\"><Input Device=\"1\"/></System></Term>" +
           "<Term Number=\"1\"><System Name=\"S\"><Input "
           "Name=\"D\"/></System></Term></TermToInput>",
       2,
       R"(m.xml:2:68: error: Term for terminal 1 rejected with a message: its Input has neither Name nor Number
  m.xml:2:137: warning: Term for terminal 1 replaces the one at line 2, column 1)"},
      {"<TermToInput>\n<Term Number=\"1\" ClockOffset=\"30s\">" + good.substr(31) +
           "</TermToInput>",
       1,
       R"(m.xml:2:18: warning: Term for terminal 1: its ClockOffset "30s" has text after its digits: the launcher reads 30)"},
      // Only the camera of the Term that wins is the client's.
      {good +
           "<Term Number=\"1\"><System Name=\"S\"><Input Name=\"\"/></System></Term></TermToInput>",
       1,
       R"((line 2)

Findings:
  m.xml:2:102: warning: Term for terminal 1: its Input names no camera (neither Name nor Number has a value): the client is started with Input Number ""
  m.xml:2:68: warning: Term for terminal 1 replaces)"},
      // What the launcher reads, but not as an integrator meant it.
      {"<TermToInput Width=\"0\" Pre=\"-10\" Post=\"2147483647\">" + good.substr(13) +
           "</TermToInput>",
       1,
       R"(m.xml:1:14: warning: Width "0" is not positive: the client's window gets no size from it
  m.xml:1:24: warning: Pre "-10" is negative: the search starts 10 s after the transaction
  m.xml:1:34: warning: Post "2147483647" is longer than a day: the launcher searches 2147483647 s after the transaction
)"},
      {"<TermToInput Height=\"-3\" Post=\"-4\" Pre=\"86401\">" + good.substr(13) + "</TermToInput>",
       1,
       R"(m.xml:1:14: warning: Height "-3" is not positive: the client's window gets no size from it
  m.xml:1:36: warning: Pre "86401" is longer than a day: the launcher searches 86401 s before the transaction
  m.xml:1:26: warning: Post "-4" is negative: the search ends 4 s before the transaction
)"},
      {"<TermToInput Pre=\"86400\" Post=\"0\" Width=\"1\">" + good.substr(13) + "</TermToInput>", 0,
       "(line 2)\n\nFindings: none"},
      {"<TermToInput>\n<Term Number=\"1e3\"><System Name=\"S\"><Input Name=\"\"/></System>"
       "</Term><Term Number=\" 4 \"><System Name=\"S\"><Input Name=\"\" Number=\"\" "
       "Device=\"1\"/></System></Term><Term Number=\"0x8\"><System Name=\"S\"><Input Number=\"\" "
       "Name=\"B\"/></System></Term></TermToInput>",
       1,
       R"(m.xml:2:7: warning: Term Number "1e3" has text after its digits: the launcher reads 1
  m.xml:2:37: warning: Term for terminal 1: its Input names no camera (neither Name nor Number has a value): the client is started with Input Number ""
  m.xml:2:105: warning: Term for terminal 4: its Input names no camera (neither Name nor Number has a value): the client is started with Input Number ""
  m.xml:2:164: warning: Term Number "0x8" has text after its digits: the launcher reads 0

)"},
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
  EXPECT_NE(
      missing.out.find("missing.xml: error: cannot read the file: No such file or directory\n\n"
                       "Messages the launcher shows:\n  Could not open file missing.xml\n"),
      std::string::npos)
      << missing.out;
}

TEST(CheckerTest, UsageErrors) {
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"-n"}, "-n needs a value"},
      {{"-n", "12\nx"}, "-n needs a terminal number, not \"12\\nx\""},
      {{"-n", "-"}, "-n needs a terminal number, not \"-\""},
      {{"-t2007-06-06", "14:50:25"}, "\"14:50:25\" looks like the time of -t"},
      {{"-x"}, "unknown option -x"},
      {{"m.xml", ""}, "a file name cannot be empty"},
      {{"-n", "4", "--", "-n2"}, "give -n and -t, or the launcher's command line after --"},
      {{"--format=sarif", "--brief"}, "give --brief or --format sarif, not both"},
      {{"--format", "sarif", "--", "-n2"}, "a SARIF log holds findings only"},
      {{"--format", "xml"}, "--format needs text or sarif, not \"xml\""},
  };
  testing::FakePlatform files;
  for (const auto& [arguments, error] : cases) {
    const Checked checked = Check(arguments, files);
    EXPECT_EQ(checked.status, 64);
    EXPECT_EQ(checked.err.rfind(std::string("pos-video-check: ") + error, 0), 0u) << checked.err;
  }
  for (const char* help : {"--help", "-h", "/?"}) {
    EXPECT_EQ(Check({"m.xml", help}, files).out.rfind("Usage: pos-video-check", 0), 0u) << help;
  }
  const Checked version = Check({"--version"}, files);
  EXPECT_TRUE(std::regex_match(
      version.out,
      std::regex(
          "pos-video-check \\d+\\.\\d+\\.\\d+\n"
          "Time zones: tzdata \\d{4}[a-z], Windows zone names from CLDR \\d+, compiled in.\n")))
      << version.out;
}

// Each finding one line that the shipped problem matcher, as the README shows it, reads, whatever
// the values and file names hold; the count is not a finding.
TEST(CheckerTest, EachFindingIsOneLineForTheReadmesMatcher) {
  const std::string readme = ReadTextFile(std::string(SOURCE_FOLDER) + "/README.md", 1 << 20).text;
  const std::string json =
      ReadTextFile(std::string(SOURCE_FOLDER) + "/.github/pos-video-check.json", 1 << 20).text;
  EXPECT_NE(readme.find("  ```json\n  " + std::regex_replace(json, std::regex("\n(.)"), "\n  $1")),
            std::string::npos);
  const std::size_t start = json.find("\"regexp\": \"") + 11;
  // The JSON string's escapes undone: each pair of backslashes is one backslash of the pattern.
  const std::regex matcher(std::regex_replace(json.substr(start, json.find("\",", start) - start),
                                              std::regex(R"(\\\\)"), "\\"));
  testing::FakePlatform files;
  files.files["e.xml"] =
      "<TermToInput Width=\"640&#10;px\" TimeZone=\"Mars&#13;&#10;x.xml:9:9: error: &#127;&#1;\"/>";
  const Checked checked = Check({"--brief", "e.xml", "a\tb\n.xml"}, files);
  EXPECT_EQ(
      checked.out,
      "e.xml:1:14: warning: Width \"640\\npx\" has text after its digits: the launcher reads 640\n"
      "e.xml:1:33: error: TimeZone \"Mars\\r\\nx.xml:9:9: error: \\x7F\\x01\" is neither a tzdata "
      "zone name nor a POSIX TZ rule with its rules: the launcher shows a message and loads "
      "nothing\n"  // And no second error blaming the Terms for it.
      "a\\tb\\n.xml: error: cannot read the file: No such file or directory\n"
      "2 files checked: 2 errors, 1 warning\n");
  std::istringstream lines(checked.out);
  std::smatch match;
  for (std::string line; std::getline(lines, line);) {
    const bool finding = lines.peek() != EOF;
    ASSERT_EQ(std::regex_match(line, match, matcher), finding) << line;
    EXPECT_TRUE(!finding || match[1] == line.substr(0, line.find(':'))) << line;
  }
  // Nor does a value start a line of the full report: settings, findings and messages alike.
  const std::string whole = Check({"e.xml"}, files).out;
  EXPECT_EQ(whole.find_first_of("\r\x01\x7F"), std::string::npos) << whole;
  EXPECT_EQ(whole.find("\nx.xml"), std::string::npos) << whole;
  // A report it could not write fails the build step, whatever the files hold.
  std::ostream full(nullptr);
  std::ostringstream err;
  EXPECT_EQ(RunChecker({"--brief", "e.xml"}, 0, files, files, full, err), 74);
  EXPECT_EQ(err.str(), "pos-video-check: cannot write the output\n");
}

const char kTwoCameras[] =
    "<TermToInput><Term Number=\"4\"><System Name=\"S\"><Input Name=\"Four\"/></System></Term>"
    "<Term Number=\"2\"><System Name=\"S\"><Input Number=\"2\"/></System></Term>"
    "<Term Number=\"0\"><System Name=\"S\"><Input Name=\"Zero\"/></System></Term>"
    "<Term Number=\"9\"><System Name=\"S\"><Input/></System></Term></TermToInput>";

// The same stores in a zone of their own, one terminal in another, behind the recorder's clock.
const char kTwoCamerasInZones[] =
    "<TermToInput TimeZone=\"America/Chicago\" ClockOffset=\"-12\">"
    "<Term Number=\"4\"><System Name=\"S\"><Input Name=\"Four\"/></System></Term>"
    "<Term Number=\"2\" TimeZone=\"&lt;+0530&gt;-5:30\"><System Name=\"S\"><Input Number=\"2\"/>"
    "</System></Term><Term Number=\"7\" TimeZone=\"Mars/Base\"><System Name=\"S\"><Input "
    "Name=\"M\"/>"
    "</System></Term><Term Number=\"3\" TimeZone=\"W. Europe Standard Time\"><System "
    "Name=\"S\"><Input Name=\"W\"/></System></Term></TermToInput>";

// Each terminal's zone and offset, the values that cannot be used, and how the time is converted.
TEST(CheckerTest, TheStoresZoneAndClockAsTheLauncherReadsThem) {
  testing::TimeZoneScope zone("UTC0");
  testing::FakePlatform files;
  files.files["m.xml"] = kTwoCamerasInZones;
  const std::string out = Check({"m.xml", "-n", "4", "-t", "2007-03-11 02:30:00"}, files).out;
  for (const char* line : {
           "  ClockOffset   -12  from the file\n  TimeZone \"America/Chicago\"  from the file\n",
           "  2      System \"S\", Input Number \"2\", TimeZone \"<+0530>-5:30\", ClockOffset -12",
           "  4      System \"S\", Input Name \"Four\", TimeZone \"America/Chicago\", ClockOffset "
           "-12",
           "m.xml:1:245: error: Term for terminal 7 rejected with a message: its TimeZone "
           "\"Mars/Base\" is neither",
           "  3      System \"S\", Input Name \"W\", TimeZone \"W. Europe Standard Time\" "
           "(Europe/Berlin), ClockOffset -12",
           "  Wall clock 2007-03-11 02:30:00 in America/Chicago: CST, UTC-06:00 (02:30:00 is "
           "skipped when CST changes to CDT; read with the offset before the change), second "
           "1173601800\n  Clock offset -12 s: Start 1173601783, End 1173601793\n",
       }) {
    EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
  }
  const std::pair<const char*, const char*> conversions[] = {
      {"-n2",
       "  Wall clock 2007-11-04 01:30:00 in <+0530>-5:30: +0530, UTC+05:30, second "
       "1194120000\n  Clock offset -12 s:"},
      {"-n4",
       "in America/Chicago: CDT, UTC-05:00 (01:30:00 is repeated when CDT changes to CST; "
       "read as its first occurrence, the second is CST, UTC-06:00), second 1194157800\n"},
      {"-n3", "in W. Europe Standard Time (Europe/Berlin): CET, UTC+01:00, second 1194136200\n"},
  };
  for (const auto& [terminal, line] : conversions) {
    const std::string repeated = Check({"m.xml", terminal, "-t", "2007-11-04 01:30"}, files).out;
    EXPECT_NE(repeated.find(line), std::string::npos) << line << "\n" << repeated;
  }
  // A time read at an abbreviation of the Term's zone; one that zone never uses, and a word that
  // may say PM after a time that may be on a twelve-hour clock, refused.
  for (const auto& [time, line] : std::vector<std::pair<const char*, const char*>>{
           {"2007-11-04 01:30:00 CST",
            "  Wall clock 2007-11-04 01:30:00 read at UTC-06:00, the "
            "CST of America/Chicago: second 1194161400\n"},
           {"2007-06-06 14:50:25 IST",
            "    Could not read the "
            "transaction time \"2007-06-06 14:50:25 IST\": the terminal's TimeZone "
            "\"America/Chicago\" never uses \"IST\"; give an offset such as -05:00 instead.\n"},
           {"2007-06-06 09:50:25 Uhr",
            "    Could not read the transaction time \"2007-06-06 "
            "09:50:25 Uhr\": \"Uhr\" may say AM or PM; expected "
            "YYYY-MM-DD HH:MM:SS.\n"},
       }) {
    const std::string read = Check({"m.xml", "-n4", "-t", time}, files).out;
    EXPECT_NE(read.find(line), std::string::npos) << line << "\n" << read;
  }
  // A time that names its own offset is read at it; the Term's zone is not used, its clock is.
  const std::string given = Check({"m.xml", "-n4", "-t", "2007-06-06 14:50:25+02:00"}, files).out;
  EXPECT_NE(given.find("  Wall clock 2007-06-06 14:50:25 at UTC+02:00, the offset given with the "
                       "time (the TimeZone is not used): second 1181134225\n  Clock offset -12 s: "
                       "Start 1181134208,"),
            std::string::npos)
      << given;
  files.files["m.xml"] =
      "<TermToInput ClockOffset=\"1 day\" TimeZone=\"\"><Term Number=\"4\"><System Name=\"S\">"
      "<Input Name=\"C\"/></System></Term></TermToInput>";
  const std::string unusable = Check({"m.xml"}, files).out;
  for (
      const char* line : {
          "  ClockOffset     1  from the file (written \"1 day\")\n  TimeZone \"\"  cannot be used",
          "m.xml:1:34: error: TimeZone \"\" is neither a tzdata zone name nor a POSIX TZ rule with "
          "its rules: the launcher shows a message and loads nothing",
          "m.xml:1:14: warning: ClockOffset \"1 day\" has text after its digits: the launcher "
          "reads 1",
      }) {
    EXPECT_NE(unusable.find(line), std::string::npos) << line << "\n" << unusable;
  }
  EXPECT_EQ(unusable.find("<Term>"), std::string::npos) << unusable;
  // Offsets whose sign people misread: both readings, and how to write each; and the name meant.
  std::string terms;
  for (const char* zone : {"utc+05:30", "CET+1", "&lt;+03&gt;+3", "GST-4", "ABC+3", "UTC-08",
                           "europe/berlin", "Europe/Berln", "Eastern", "Mars/UTC",
                           "Dateline Standard Time", "EST+5", "IST-1", "EST5EDT,M3.2.0,M11.1.0"}) {
    terms += "<Term Number=\"" + std::to_string(terms.size() + 4) + "\" TimeZone=\"" + zone +
             "\"><System Name=\"S\"><Input Name=\"C\"/></System></Term>";
  }
  files.files["m.xml"] = "<TermToInput TimeZone=\"Etc/GMT+5\">" + terms + "</TermToInput>";
  const std::string signs = Check({"m.xml"}, files).out;
  EXPECT_EQ(std::count(signs.begin(), signs.end(), '\n'), 40) << signs;  // No other finding.
  for (const char* line : {
           "\"CET+1\" is CET at UTC-01:00 as POSIX reads it, but tzdata's CET is UTC+01:00: write "
           "CET-1 or <+01>-1 for UTC+01:00, or a tzdata zone name; the launcher",
           "\"<+03>+3\" is +03 at UTC-03:00 as POSIX reads it, but <+03> says UTC+03:00: write "
           "<+03>-3 for UTC+03:00, or a tzdata zone name; the launcher",
           "warning: Term for terminal 271: its TimeZone \"GST-4\" reads GST at UTC+04:00, but "
           "tzdata's GST is UTC+10:00\n",
           "\"ABC+3\" is ABC at UTC-03:00 as POSIX reads it: for UTC+03:00, write <+03>-3\n",
           "\"UTC-08\" is UTC+08:00 as POSIX reads it and UTC-08:00 as people often mean it: write "
           "<-08>+8 for UTC-08:00 or <+08>-8 for UTC+08:00, or a tzdata zone name; as a Windows "
           "zone name it is UTC-08:00, written <-08>+8 or Etc/GMT+8; the launcher",
           "\"europe/berlin\" is neither a tzdata zone name nor a POSIX TZ rule with its rules: "
           "the launcher shows a message and skips the Term; did you mean Europe/Berlin?\n",
           "\"Europe/Berln\" is neither a tzdata zone name nor a POSIX TZ rule with its rules: the "
           "launcher shows a message and skips the Term; did you mean Europe/Berlin?\n",
           "skips the Term; did you mean Eastern Standard Time (America/New_York)?\n",
           "\"Mars/UTC\" is neither a tzdata zone name nor a POSIX TZ rule with its rules: the "
           "launcher shows a message and skips the Term; did you mean UTC?\n",
           "m.xml:1:14: warning: TimeZone \"Etc/GMT+5\" is UTC-05:00: tzdata's Etc/GMT names count "
           "hours west of UTC as positive",
           "m.xml:1:52: error: Term for terminal 4 rejected with a message: its TimeZone "
           "\"utc+05:30\" is UTC-05:30 as POSIX reads it and UTC+05:30 as people often mean it: "
           "write <+0530>-5:30 for UTC+05:30 or <-0530>+5:30 for UTC-05:30, or a tzdata zone "
           "name; the launcher shows a message and skips the Term",
       }) {
    EXPECT_NE(signs.find(line), std::string::npos) << line << "\n" << signs;
  }
}

TEST(CheckerTest, SeveralFilesBrieflyForABuildServer) {
  testing::FakePlatform files;
  files.files["good.xml"] = kTwoCameras;
  files.files["bad.xml"] = "<TermToInput Pre=\"x\"><Term Number=\"1\"/></TermToInput>";
  // The worst status of the files; the findings' lines are the matcher test's.
  const Checked brief = Check({"--brief", "good.xml", "bad.xml", "none.xml"}, files);
  EXPECT_EQ(brief.status, 2);
  EXPECT_NE(brief.out.find("\n3 files checked: 3 errors, 2 warnings\n"), std::string::npos)
      << brief.out;
  // Folders searched for the launcher's file, and on Windows patterns too, in byte order.
  for (const char* file : {"stores/031/termToInput.xml", "stores/031/old/termToInput.xml",
                           "stores/B/TERMTOINPUT.XML", "stores/017/notes.txt"}) {
    files.files[file] = kTwoCameras;
  }
  const std::pair<PathConventions, std::vector<std::string>> cases[] = {
      {{}, {"--brief", "stores/", "stores/017", "stores/0*"}},
      {{'\\', true, true}, {"--brief", "stores\\*", "st?res/0*/*.xml", "nothing*"}},
  };
  const char* expected[] = {
      "stores/031/old/termToInput.xml stores/031/termToInput.xml stores/017: error: no "
      "termToInput.xml in this folder\nstores/0*: error: cannot read the file: No such file or "
      "directory\n4 files checked: 4 errors, 0 warnings\n",
      "stores\\017: error: no termToInput.xml in this folder\nstores\\031\\old\\termToInput.xml "
      "stores\\031\\termToInput.xml stores\\B\\TERMTOINPUT.XML stores/031/termToInput.xml "
      "nothing*: error: cannot read the file: no file or folder matches this pattern\n"
      "6 files checked: 6 errors, 0 warnings\n",
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    files.conventions = cases[i].first;
    // Each line of a file found, whose findings are the matcher test's, shortened to its path.
    const std::string out = std::regex_replace(Check(cases[i].second, files).out,
                                               std::regex(":1:\\d+: error: Term for .*\n"), " ");
    EXPECT_EQ(out, expected[i]);
  }
  files.conventions = {};
  // Whole reports one after the other, each with its own launch.
  const Checked whole = Check({"good.xml", "good.xml", "-n", "2"}, files);
  EXPECT_EQ(whole.status, 2);
  const std::size_t second = whole.out.find("\nMapping file: good.xml\n");
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(whole.out.substr(0, second), whole.out.substr(second + 1));
  EXPECT_NE(whole.out.find("<Input Number=\"2\""), std::string::npos);
}

}  // namespace
}  // namespace pos_video
