// Heavy inputs against the real executable: each must end in the system's own message or a
// correct document, within memory bounded by a small multiple of the mapping file's size.
//
// These take seconds and gigabytes rather than milliseconds, so they live in their own binary
// with the CTest label "stress" (run by CI, left out of a quick `ctest -LE stress`). Time is
// recorded, not judged: CTest's timeout is the only limit on it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "reliability/launcher_process.h"

namespace pos_video {
namespace {

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define POS_VIDEO_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define POS_VIDEO_UNDER_ASAN 1
#endif

#ifdef POS_VIDEO_UNDER_ASAN
// AddressSanitizer's own allocator, red zones and quarantine would be measured, not ours.
constexpr bool kMeasureMemory = false;
#else
constexpr bool kMeasureMemory = true;
#endif

constexpr long kMegabyte = 1024 * 1024;
constexpr char kTerm[] =
    "<Term Number=\"4\"><System Name=\"Store 12 Recorder\"><Input Name=\"Lane 4\" /></System>"
    "</Term>\n";
constexpr char kXmlError[] =
    "POS Audit to Video Interface: Cmd line configuration document XML error: ";

std::string Repeat(const std::string& piece, long times) {
  std::string text;
  text.reserve(piece.size() * static_cast<std::size_t>(times));
  for (long i = 0; i < times; ++i) text += piece;
  return text;
}

struct Expected {
  std::string message;       // What the launcher shows, empty for none.
  std::string documentPart;  // A part of the saved document, empty when none may be saved.
  // Bound on peak memory beyond a run with a tiny file, per byte of input (mapping file and
  // command line together).
  double memoryPerInputByte;
};

class StressTest : public ::testing::Test {
 protected:
  static long BaselineKilobytes() {
    static const long baseline =
        testing::RunLauncherProcess(POS_VIDEO_LAUNCHER, {"-n", "4"},
                                    "<TermToInput>" + std::string(kTerm) + "</TermToInput>")
            .peakMemoryKilobytes;
    return baseline;
  }

  void Check(const std::vector<std::string>& arguments, const std::string& mappingFile,
             const Expected& expected) {
    const testing::LauncherRun run =
        testing::RunLauncherProcess(POS_VIDEO_LAUNCHER, arguments, mappingFile);
    std::size_t inputBytes = mappingFile.size();
    for (const std::string& argument : arguments) inputBytes += argument.size() + 1;
    // Recorded for docs/reliability.md.
    std::printf("[ measured ] %zu bytes of input: %.2f s, peak %ld KB (baseline %ld KB)\n",
                inputBytes, run.seconds, run.peakMemoryKilobytes, BaselineKilobytes());

    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.standardError, expected.message);
    if (expected.documentPart.empty()) {
      EXPECT_FALSE(run.documentSaved);
      EXPECT_FALSE(run.clientStarted);
    } else {
      EXPECT_NE(run.document.find(expected.documentPart), std::string::npos);
      EXPECT_TRUE(run.clientStarted);
    }
    EXPECT_EQ(run.clientFolder, expected.documentPart.empty() ? "" : "KvCmdLine.xml\n");
    if (kMeasureMemory) {
      const double allowedKilobytes =
          static_cast<double>(BaselineKilobytes()) +
          expected.memoryPerInputByte * static_cast<double>(inputBytes) / 1024;
      EXPECT_LE(static_cast<double>(run.peakMemoryKilobytes), allowedKilobytes);
    }
  }
};

// Fifty megabytes of comment inside the root: read whole, parsed, one camera found.
TEST_F(StressTest, FiftyMegabyteMappingFile) {
  const std::string file = "<TermToInput>\n" + std::string(kTerm) + "<!--\n" +
                           Repeat(std::string(99, 'x') + "\n", 50 * kMegabyte / 100) +
                           "-->\n</TermToInput>\n";
  Check({"-n", "4"}, file, {"", "<Input Name=\"Lane 4\" />", 8});
}

TEST_F(StressTest, OneMegabyteLineOfAttributeText) {
  const std::string name(kMegabyte, 'N');
  const std::string file = "<TermToInput><Term Number=\"4\"><System Name=\"" + name +
                           "\"><Input Name=\"Lane 4\" /></System></Term></TermToInput>\n";
  Check({"-n", "4"}, file, {"", "<System Name=\"" + name + "\">", 16});
}

// The densest file there is: every byte is markup that becomes a node of the library's tree and
// an entry of the table. The tree alone holds about 900 bytes per Term with its System and Input,
// so this file costs about 16 times its size.
TEST_F(StressTest, AMillionTermElements) {
  std::string file = "<TermToInput>\n";
  for (int number = 1; number <= 1000000; ++number) {
    file += "<Term Number=\"" + std::to_string(number) +
            "\"><System Name=\"S\"><Input Name=\"Lane " + std::to_string(number) +
            "\" /></System></Term>\n";
  }
  file += "</TermToInput>\n";
  Check({"-n", "1000000"}, file, {"", "<Input Name=\"Lane 1000000\" />", 20});
}

TEST_F(StressTest, NestingAMillionLevelsDeep) {
  const std::string file = "<TermToInput>" + std::string(kTerm) + Repeat("<a>", 1000000) +
                           Repeat("</a>", 1000000) + "</TermToInput>";
  Check({"-n", "4"}, file,
        {std::string(kXmlError) + "Elements are nested more than 128 levels deep.\n", "", 4});
}

// Notepad's "Unicode": every other byte a NUL. Refused at the first one.
TEST_F(StressTest, FiftyMegabyteFileSavedAsUtf16) {
  const std::string line = "<Term Number=\"4\"><System Name=\"S\"><Input Name=\"I\" /></System>\n";
  std::string file = "\xFF\xFE";
  for (char c : Repeat(line, 50 * kMegabyte / 2 / static_cast<long>(line.size()))) {
    file += c;
    file += '\0';
  }
  Check({"-n", "4"}, file,
        {std::string(kXmlError) +
             "The file holds a NUL byte; it must be saved as ANSI or UTF-8 (not as Unicode or "
             "UTF-16).\n",
         "", 4});
}

// The longest command line Windows passes on: 32 KB, as one argument after the options.
TEST_F(StressTest, CommandLineOf32Kilobytes) {
  Check({"-n", "4", "-t2007-06-06", "14:50:25", std::string(32 * 1024 - 30, 'x')},
        "<TermToInput>" + std::string(kTerm) + "</TermToInput>",
        {"", "<Search Start=\"1181141420\" End=\"1181141430\">", 1024});
}

TEST_F(StressTest, TimeTextOf100Kilobytes) {
  Check({"-n", "4", "-t" + Repeat("2007-06-06 14:50:25 ", 100 * 1024 / 20)},
        "<TermToInput>" + std::string(kTerm) + "</TermToInput>",
        {"", "<Search Start=\"1181141420\" End=\"1181141430\">", 1024});
}

}  // namespace
}  // namespace pos_video
