#include "checker/launch_preview.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "checker/checker_run.h"
#include "checker/mapping_review.h"
#include "launcher/launch_constants.h"
#include "launcher/run_sequence.h"
#include "support/fake_platform.h"
#include "support/scratch_directory.h"

namespace pos_video {
namespace {

constexpr std::int64_t kNow = 1181141425;

const char kMapping[] = R"(<TermToInput Width="640" Pre="60" Post="-2">
  <Term Number="4"><System Name="North &amp; South"><Input Number="7" Device="2"/></System></Term>
  <Term Number="5"><System Name="North"><Input Number="" /></System></Term>
  <Term Number="8"><System Name="North"><Input Device="3"/></System></Term>
  <Term Number="101"><System Name="Desk"><Input Name="Service &quot;A&quot;" Number="9"/></System></Term>
</TermToInput>)";

// The launcher and the checker side by side on the same mapping file in a scratch folder.
class LaunchPreviewTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::WriteFileBytes(MappingPath(), kMapping); }

  std::string MappingPath() const { return scratch_.path() + "/termToInput.xml"; }

  struct LauncherRun {
    std::vector<std::string> messages;
    bool started = false;
    std::string document;  // Empty when none was written.
  };

  LauncherRun RunTheLauncher(const std::string& commandLine) {
    testing::FakePlatform platform(scratch_.path() + "/wine");
    {
      testing::CurrentDirectoryScope inScratch(scratch_.path());
      RunLauncher(commandLine, kNow, platform);
    }
    const std::string written = platform.HostPath(kCommandDocumentPath);
    return {platform.messages, !platform.starts.empty(),
            testing::FileExists(written) ? testing::ReadFileBytes(written) : ""};
  }

  // Inspected from inside the folder, so the messages name the file as the launcher does.
  MappingReport InspectInScratch() {
    testing::CurrentDirectoryScope inScratch(scratch_.path());
    return InspectMappingFile(kMappingFilePath);
  }

  std::string RunTheChecker(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    testing::CurrentDirectoryScope inScratch(scratch_.path());
    RunChecker(arguments, kNow, out, err);
    EXPECT_EQ(err.str(), "");
    return out.str();
  }

  testing::ScratchDirectory scratch_;
};

TEST_F(LaunchPreviewTest, PreviewedDocumentIsByteForByteWhatTheLauncherWrites) {
  const MappingReport report = InspectInScratch();
  for (const std::int32_t terminal : {4, 5, 101}) {
    const LauncherRun launcher = RunTheLauncher("-n " + std::to_string(terminal));
    const LaunchPreview preview = PreviewLaunch(report, terminal, kNow);
    ASSERT_TRUE(launcher.started) << terminal;
    EXPECT_TRUE(preview.documentWritten);
    EXPECT_EQ(preview.document, launcher.document) << terminal;
    EXPECT_EQ(preview.messages, launcher.messages) << terminal;
  }
}

TEST_F(LaunchPreviewTest, PrintedPreviewEndsWithTheLaunchersDocumentForTheSameTime) {
  const LauncherRun launcher = RunTheLauncher("-n 4 -t2007-06-06 14:50:25");
  const std::string printed = RunTheChecker({"-n", "4", "-t", "2007-06-06 14:50:25"});
  ASSERT_FALSE(launcher.document.empty());
  ASSERT_GE(printed.size(), launcher.document.size());
  EXPECT_EQ(printed.substr(printed.size() - launcher.document.size()), launcher.document);
}

TEST_F(LaunchPreviewTest, TimeTextIsReadAsTheLauncherReadsItsTimeOption) {
  for (const char* time : {"2007-06-06", " 2007-06-06 14:50:25", "2038-01-19 03:14:08", "x"}) {
    const LauncherRun launcher = RunTheLauncher(std::string("-n 101 -t") + time);
    const std::string printed = RunTheChecker({"-t", time});  // Terminal 101 by default.
    ASSERT_FALSE(launcher.document.empty()) << time;
    EXPECT_NE(printed.find(launcher.document), std::string::npos) << time;
  }
}

TEST_F(LaunchPreviewTest, WhenTheLauncherWritesNothingThePreviewShowsItsMessages) {
  const MappingReport report = InspectInScratch();
  // Terminal 8 is rejected while loading; 9 was never mapped; the last one saturates as the
  // launcher's terminal option does instead of wrapping round to another terminal.
  for (const char* terminal : {"8", "9", "4294967301"}) {
    const LauncherRun launcher = RunTheLauncher(std::string("-n ") + terminal);
    const std::string printed = RunTheChecker({"-n", terminal});
    EXPECT_FALSE(launcher.started);
    EXPECT_NE(printed.find("No command document is written"), std::string::npos) << terminal;
    for (const std::string& message : launcher.messages) {
      EXPECT_NE(printed.find("    " + message), std::string::npos) << message;
    }
  }
  EXPECT_EQ(
      PreviewLaunch(report, 9, kNow).messages,
      (std::vector<std::string>{"Found invalid mapping for Term Number 8 in file termToInput.xml\n",
                                "Mapping of search terminal 9 to camera not found.\n"}));
}

TEST_F(LaunchPreviewTest, NothingLoadedMeansOnlyTheLoadersMessages) {
  testing::WriteFileBytes(MappingPath(), "<TermToInput><Term></TermToInput>");
  const MappingReport report = InspectInScratch();
  const LaunchPreview preview = PreviewLaunch(report, 4, kNow);
  EXPECT_FALSE(preview.documentWritten);
  EXPECT_EQ(preview.messages, report.launcherMessages);
  EXPECT_EQ(preview.messages.size(), 1u);
}

}  // namespace
}  // namespace pos_video
