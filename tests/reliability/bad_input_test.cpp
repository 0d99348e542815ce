// Bad inputs the launcher must survive: every one ends in the system's own message or a correct
// document, never a crash, a hang or a half-written file.
//
// Each case runs the whole sequence with the recording fake platform, a real mapping file in a
// scratch folder and a fixed time zone. The heavy inputs (tens of megabytes) are measured in a
// separate binary, stress_inputs.cpp, which watches the real executable's memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/launch_constants.h"
#include "launcher/run_sequence.h"
#include "support/fake_platform.h"
#include "support/scratch_directory.h"
#include "support/time_zone_scope.h"

namespace pos_video {
namespace {

constexpr std::int64_t kNow = 1181141425;  // 2007-06-06 14:50:25 UTC.

constexpr char kXmlError[] = "Cmd line configuration document XML error: ";
constexpr char kNulByteProblem[] =
    "The file holds a NUL byte; it must be saved as ANSI or UTF-8 (not as Unicode or UTF-16).\n";
constexpr char kNestingProblem[] = "Elements are nested more than 128 levels deep.\n";

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  text.reserve(piece.size() * static_cast<std::size_t>(times));
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

// A mapping of terminal 4 whose system is named `systemName`, with `extra` beside the Term.
std::string MappingFile(const std::string& systemName, const std::string& extra = "") {
  return "<TermToInput><Term Number=\"4\"><System Name=\"" + systemName +
         "\"><Input Name=\"Lane\" /></System></Term>" + extra + "</TermToInput>\n";
}

// Elements nested so that the innermost sits `depth` levels deep, the root counting as one.
std::string NestedFile(int depth) {
  return MappingFile("S", Repeat("<a>", depth - 1) + Repeat("</a>", depth - 1));
}

// The sample file as Notepad saves it as "Unicode": UTF-16LE with a byte-order mark.
std::string Utf16File() {
  const std::string ascii = MappingFile("S");
  std::string wide = "\xFF\xFE";
  for (char c : ascii) {
    wide += c;
    wide += '\0';
  }
  return wide;
}

struct BadInput {
  const char* name;
  std::string commandLine;
  std::string mappingFile;
  std::vector<std::string> messages;
  // A part of the saved document; empty when none may be saved.
  std::string documentPart;
};

std::vector<BadInput> BadInputs() {
  return {
      {"NulByteOfAFileSavedAsUtf16",
       "-n 4",
       Utf16File(),
       {kXmlError + std::string(kNulByteProblem)},
       ""},
      {"NulByteBeforeTheRoot",
       "-n 4",
       std::string("\0", 1) + MappingFile("S"),
       {kXmlError + std::string(kNulByteProblem)},
       ""},
      {"NulByteAfterTheRootIsNeverRead",
       "-n 4",
       MappingFile("S") + std::string("\0", 1),
       {},
       "<System Name=\"S\">"},
      {"NestingAtTheLimit", "-n 4", NestedFile(128), {}, "<Input Name=\"Lane\" />"},
      {"NestingPastTheLimit",
       "-n 4",
       NestedFile(129),
       {kXmlError + std::string(kNestingProblem)},
       ""},
      {"NestingAHundredThousandDeep",
       "-n 4",
       NestedFile(100000),
       {kXmlError + std::string(kNestingProblem)},
       ""},
      {"CdataInAClosingTag",
       "-n 4",
       MappingFile("S", "<a></a<![CDATA[>"),
       {kXmlError + std::string("A closing tag holds \"<![CDATA[\".\n")},
       ""},
      // Without a declaration the bytes are the system's code page and are copied unchanged.
      {"InvalidUtf8WithoutDeclaration",
       "-n 4",
       MappingFile("\xFF\xFE\xC3(\x80"),
       {},
       "<System Name=\"\xFF\xFE\xC3(\x80\">"},
      // Declared as UTF-8, a lead byte takes its followers along whatever they are: here the
      // closing quote, so the value never ends.
      {"InvalidUtf8DeclaredAsUtf8",
       "-n 4",
       "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>" + MappingFile("A\xC3(B\xE2\x82"),
       {kXmlError + std::string("Error reading Attributes.\n")},
       ""},
      {"Utf8CutShortAtTheEndOfTheFile",
       "-n 4",
       "\xEF\xBB\xBF" + MappingFile("S").substr(0, 40) + "\xE2\x82",
       {kXmlError + std::string("The text ends in the middle of a UTF-8 character.\n")},
       ""},
      {"CommandLineOf32KilobytesAfterTheOption",
       "-n 4 " + std::string(32 * 1024, 'x'),
       MappingFile("S"),
       {},
       "<Search Start=\"1181141420\" End=\"1181141430\">"},
      {"TerminalNumberOf32KilobytesOfDigits",
       "-n " + std::string(32 * 1024, '9'),
       MappingFile("S"),
       {"Mapping of search terminal 2147483647 to camera not found.\n"},
       ""},
      // The year takes four digits and the parse stops at the fifth: 7777-01-00, the last day
      // of 7776; the rest is ignored.
      {"TimeTextOf100KilobytesOfDigits",
       "-n 4 -t" + std::string(100 * 1024, '7'),
       MappingFile("S"),
       {},
       "<Search Start=\"183251203195\" End=\"183251203205\">"},
      {"TimeTextWith100KilobytesBehindIt",
       "-n 4 -t2007-06-06 14:50:25" + std::string(100 * 1024, ' '),
       MappingFile("S"),
       {},
       "<Search Start=\"1181141420\" End=\"1181141430\">"},
  };
}

class BadInputTest : public ::testing::Test {
 private:
  testing::TimeZoneScope zone_{"UTC0"};
};

TEST_F(BadInputTest, EndsInTheSystemsOwnMessageOrAWholeDocument) {
  for (const BadInput& input : BadInputs()) {
    SCOPED_TRACE(input.name);
    testing::ScratchDirectory scratch;
    testing::CurrentDirectoryScope inScratch(scratch.path());
    testing::WriteFileBytes(scratch.path() + "/" + kMappingFilePath, input.mappingFile);
    testing::FakePlatform platform(scratch.path());

    EXPECT_EQ(RunLauncher(input.commandLine, kNow, platform), 0);

    EXPECT_EQ(platform.messages, input.messages);
    const std::string document = platform.HostPath(kCommandDocumentPath);
    if (input.documentPart.empty()) {
      EXPECT_FALSE(testing::FileExists(document));
      EXPECT_TRUE(platform.starts.empty());
    } else {
      EXPECT_NE(testing::ReadFileBytes(document).find(input.documentPart), std::string::npos)
          << testing::ReadFileBytes(document);
      EXPECT_EQ(platform.starts.size(), 1u);
    }
  }
}

}  // namespace
}  // namespace pos_video
