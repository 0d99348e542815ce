#include "checker/checker_run.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "checker/check_options.h"
#include "support/scratch_directory.h"

namespace pos_video {
namespace {

TEST(CheckOptionsTest, ReadsOrdinaryOptionsAndOneFile) {
  struct Case {
    std::vector<std::string> arguments;
    std::string path;
    bool preview;
    std::int32_t terminal;
    const char* timeText;  // Null when no time is given.
  };
  const Case cases[] = {
      {{}, "termToInput.xml", false, 101, nullptr},
      {{"store.xml"}, "store.xml", false, 101, nullptr},
      {{"-n", "4", "store.xml"}, "store.xml", true, 4, nullptr},
      {{"store.xml", "-n4"}, "store.xml", true, 4, nullptr},
      {{"-n", "-5"}, "termToInput.xml", true, -5, nullptr},
      {{"-n", "4294967297"},
       "termToInput.xml",
       true,
       std::numeric_limits<std::int32_t>::max(),
       nullptr},
      {{"-t", "2007-06-06 14:50:25"}, "termToInput.xml", true, 101, "2007-06-06 14:50:25"},
      {{"-t2007-06-06", "-n", "3"}, "termToInput.xml", true, 3, "2007-06-06"},
      {{"--", "-n"}, "-n", false, 101, nullptr},
  };
  for (const Case& c : cases) {
    CheckOptions options;
    std::string error;
    ASSERT_TRUE(ParseCheckOptions(c.arguments, &options, &error)) << error;
    EXPECT_EQ(options.path, c.path);
    EXPECT_EQ(options.preview, c.preview);
    EXPECT_EQ(options.terminal, c.terminal);
    EXPECT_EQ(options.timeGiven, c.timeText != nullptr);
    EXPECT_EQ(options.timeText, c.timeText != nullptr ? c.timeText : "");
  }
}

TEST(CheckOptionsTest, RefusesWhatItCannotUse) {
  const std::vector<std::vector<std::string>> cases = {
      {"-n"}, {"-n", "abc"},      {"-n", "12x"}, {"-n", "-"}, {"-t"}, {"-t2007-06-06", "14:50:25"},
      {"-x"}, {"a.xml", "b.xml"},
  };
  for (const std::vector<std::string>& arguments : cases) {
    CheckOptions options;
    std::string error;
    EXPECT_FALSE(ParseCheckOptions(arguments, &options, &error)) << arguments[0];
    EXPECT_FALSE(error.empty());
  }
}

class CheckerRunTest : public ::testing::Test {
 protected:
  int Run(const std::vector<std::string>& arguments) {
    out_.str("");
    err_.str("");
    testing::CurrentDirectoryScope inScratch(scratch_.path());
    return RunChecker(arguments, 0, out_, err_);
  }
  void WriteMapping(const std::string& text) {
    testing::WriteFileBytes(scratch_.path() + "/termToInput.xml", text);
  }
  bool Printed(const std::string& line) const {
    return out_.str().find(line + "\n") != std::string::npos;
  }

  testing::ScratchDirectory scratch_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(CheckerRunTest, ExitStatusTellsWhatTheLauncherLoads) {
  const std::string good =
      R"(<Term Number="4"><System Name="North"><Input Number="7" Device="2"/></System></Term>)";
  WriteMapping("<TermToInput Height=\"500\">\n  " + good + "\n</TermToInput>\n");
  EXPECT_EQ(Run({}), kExitNothingSkipped);
  EXPECT_TRUE(Printed("The launcher loads 1 terminal from it, with nothing skipped."));
  EXPECT_TRUE(Printed("  Height    500  from the file"));
  EXPECT_TRUE(Printed("  Width     392  default: not in the file"));
  EXPECT_TRUE(Printed("  4      System \"North\", Input Number \"7\" Device \"2\"  (line 2)"));

  WriteMapping("<TermToInput>\n  " + good + "\n  <Term Number=\"x\"/>\n</TermToInput>\n");
  EXPECT_EQ(Run({}), kExitSomethingSkipped);
  EXPECT_TRUE(Printed("  termToInput.xml:3:3: Term skipped: its Number \"x\" is not an integer"));

  WriteMapping("<TermToInput>\n  <Term Number=\"x\"/>\n</TermToInput>\n");
  EXPECT_EQ(Run({}), kExitNothingLoaded);
  EXPECT_EQ(Run({"missing.xml"}), kExitNothingLoaded);
  EXPECT_TRUE(Printed("  Could not open file missing.xml"));
}

TEST_F(CheckerRunTest, UsageErrorsGoToStandardErrorWithTheirOwnStatus) {
  EXPECT_EQ(Run({"-n", "four"}), kExitUsage);
  EXPECT_EQ(out_.str(), "");
  EXPECT_NE(err_.str().find("-n needs a terminal number"), std::string::npos);

  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_EQ(out_.str(), kCheckUsage);
}

TEST_F(CheckerRunTest, PreviewWritesNoFile) {
  WriteMapping(R"(<TermToInput><Term Number="4"><System Name="N"><Input Name="C"/></System></Term>
</TermToInput>)");
  EXPECT_EQ(Run({"-n", "4"}), kExitNothingSkipped);
  EXPECT_TRUE(Printed("                <Input Name=\"C\" />"));
  EXPECT_EQ(testing::ListDirectory(scratch_.path()), "termToInput.xml\n");
}

}  // namespace
}  // namespace pos_video
