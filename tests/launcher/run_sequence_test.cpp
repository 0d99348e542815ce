#include "launcher/run_sequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/launch_constants.h"
#include "support/fake_platform.h"
#include "support/scratch_directory.h"

namespace pos_video {
namespace {

constexpr std::int64_t kNow = 1181141425;

const char kMapping[] = R"(<TermToInput Pre="60">
  <Term Number="4"><System Name="North"><Input Number="7" Device="2"/></System></Term>
  <Term Number="101"><System Name="Desk"><Input Name="Service"/></System></Term>
</TermToInput>)";

// Runs the launcher in a scratch folder that holds the mapping file (unless it is null).
class RunSequenceTest : public ::testing::Test {
 protected:
  int Run(const std::string& commandLine, const char* mapping = kMapping) {
    if (mapping != nullptr) WriteFileBytes(scratch_.path() + "/termToInput.xml", mapping);
    testing::CurrentDirectoryScope inScratch(scratch_.path());
    return RunLauncher(commandLine, kNow, platform_);
  }
  static void WriteFileBytes(const std::string& path, const std::string& bytes) {
    testing::WriteFileBytes(path, bytes);
  }
  std::string Document() const {
    return testing::ReadFileBytes(platform_.HostPath(kCommandDocumentPath));
  }
  bool DocumentExists() const {
    return testing::FileExists(platform_.HostPath(kCommandDocumentPath));
  }

  testing::ScratchDirectory scratch_;
  testing::FakePlatform platform_{scratch_.path()};
};

TEST_F(RunSequenceTest, WritesTheDocumentThenStartsTheClientByItsFullPath) {
  platform_.cursor = {100, 200};
  EXPECT_EQ(Run("-n 4"), 0);
  EXPECT_TRUE(platform_.messages.empty());
  ASSERT_EQ(platform_.starts.size(), 1u);
  EXPECT_EQ(platform_.starts[0].applicationPath,
            "C:\\Program Files\\Korvane\\Client\\tarnclient.exe");
  EXPECT_EQ(platform_.starts[0].commandLine,
            "C:\\Program Files\\Korvane\\Client\\tarnclient.exe -FKvCmdLine.xml");
  EXPECT_EQ(platform_.starts[0].currentDirectory, "C:\\Program Files\\Korvane\\Client");
  const std::string document = Document();
  EXPECT_NE(document.find("Top=\"200\" Left=\"100\""), std::string::npos) << document;
  EXPECT_NE(document.find("<Search Start=\"1181141365\" End=\"1181141430\">"), std::string::npos)
      << document;
  EXPECT_NE(document.find("<Input Number=\"7\" Device=\"2\" />"), std::string::npos) << document;
}

TEST_F(RunSequenceTest, WithoutATerminalOptionTheDefaultTerminalIsShown) {
  EXPECT_EQ(Run(""), 0);
  EXPECT_EQ(platform_.starts.size(), 1u);
  EXPECT_NE(Document().find("<Input Name=\"Service\" />"), std::string::npos);
}

// Every way the run can stop short: what the user is told, and that the client never starts.
TEST_F(RunSequenceTest, AFailedStepIsReportedOnceAndTheClientIsNotStarted) {
  struct Case {
    const char* what;
    const char* commandLine;
    const char* mapping;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"missing mapping file", "-n 4", nullptr, {"Could not open file termToInput.xml\n"}},
      {"empty mapping file",
       "-n 4",
       "",
       {"Cmd line configuration document XML error: Error document empty.\n"}},
      {"wrong root element", "-n 4", "<Mapping/>", {}},
      {"every Term incomplete", "-n 4", "<TermToInput><Term Number=\"4\"/></TermToInput>", {}},
      {"invalid mapping",
       "-n 4",
       "<TermToInput><Term Number=\"4\"><System Name=\"S\"><Input/></System></Term></TermToInput>",
       {"Found invalid mapping for Term Number 4 in file termToInput.xml\n"}},
      {"terminal not mapped",
       "-n 12",
       kMapping,
       {"Mapping of search terminal 12 to camera not found.\n"}},
      {"number that would wrap to a mapped terminal",
       "-n 4294967300",
       kMapping,
       {"Mapping of search terminal 2147483647 to camera not found.\n"}},
  };
  for (const Case& c : cases) {
    platform_.messages.clear();
    std::remove((scratch_.path() + "/termToInput.xml").c_str());
    EXPECT_EQ(Run(c.commandLine, c.mapping), 0) << c.what;
    EXPECT_EQ(platform_.messages, c.messages) << c.what;
    EXPECT_TRUE(platform_.starts.empty()) << c.what;
    EXPECT_FALSE(DocumentExists()) << c.what;
  }
}

TEST_F(RunSequenceTest, AFailedSaveKeepsTheOldDocumentAndDoesNotStartTheClient) {
  testing::WriteFileBytes(platform_.HostPath(kCommandDocumentPath), "old");
  platform_.writeToFullDisk = true;
  EXPECT_EQ(Run("-n 4"), 0);
  EXPECT_EQ(platform_.messages,
            std::vector<std::string>{"Error writing file C:\\Program Files\\Korvane\\Client\\"
                                     "KvCmdLine.xml.  Error \n"});
  EXPECT_TRUE(platform_.starts.empty());
  EXPECT_EQ(Document(), "old");
}

}  // namespace
}  // namespace pos_video
