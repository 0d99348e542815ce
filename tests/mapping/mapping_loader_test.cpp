#include "mapping/mapping_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/scratch_directory.h"

namespace pos_video {
namespace {

constexpr char kPath[] = "termToInput.xml";

struct Loaded {
  bool result = false;
  TerminalMappingTable table;
  LaunchSettings settings;
  std::vector<std::string> messages;
};

Loaded Load(const std::string& text) {
  testing::FakePlatform platform("/nonexistent");
  Loaded loaded;
  loaded.result =
      LoadTerminalMappingsFromText(text, kPath, loaded.table, loaded.settings, platform);
  loaded.messages = platform.messages;
  return loaded;
}

std::string Root(const std::string& attributes, const std::string& children) {
  return "<TermToInput" + attributes + ">" + children + "</TermToInput>";
}

const char kGoodTerm[] =
    R"(<Term Number="1"><System Name="S"><Input Name="Cam" /></System></Term>)";

TEST(MappingLoaderTest, StoresEachWellFormedTerm) {
  const Loaded loaded = Load(Root("", R"(
    <Term Number="1"><System Name="North"><Input Name="Lane 1" Number="9" Device="2"/></System></Term>
    <Term Number="-3"><System Name="South"><Input Number="7" Device="2"/></System></Term>
    <Term Number="5"><System Name=""><Input Name=""/></System></Term>)"));
  EXPECT_TRUE(loaded.result);
  EXPECT_TRUE(loaded.messages.empty());
  const TerminalMappingTable expected = {
      {1, {"North", "Lane 1", "9", "2"}},
      {-3, {"South", "", "7", "2"}},
      {5, {"", "", "", ""}},  // Empty values count as present.
  };
  EXPECT_EQ(loaded.table, expected);
}

// Every way a Term can fall short, and whether the user hears of it.
TEST(MappingLoaderTest, IncompleteTermsAreSkippedAndOnlyAnInputWithoutCameraIsReported) {
  struct Case {
    const char* term;
    bool reported;
  };
  const Case cases[] = {
      {R"(<Term><System Name="S"><Input Name="C"/></System></Term>)", false},
      {R"(<Term Number="x1"><System Name="S"><Input Name="C"/></System></Term>)", false},
      {R"(<Term Number=""><System Name="S"><Input Name="C"/></System></Term>)", false},
      {R"(<Term Number="7"></Term>)", false},
      {R"(<Term Number="7"><System><Input Name="C"/></System></Term>)", false},
      {R"(<Term Number="7"><System Name="S"></System></Term>)", false},
      {R"(<Term Number="7"><System Name="S"/><Input Name="C"/></Term>)", false},
      {R"(<Term Number="7"><system Name="S"><Input Name="C"/></system></Term>)", false},
      {R"(<Term Number="7"><System Name="S"><input Name="C"/></System></Term>)", false},
      {R"(<Term number="7"><System Name="S"><Input Name="C"/></System></Term>)", false},
      {R"(<Term Number="7"><System Name="S"><Input Device="2"/></System></Term>)", true},
      {R"(<Term Number="7"><System Name="S"><Input name="C" number="1"/></System></Term>)", true},
  };
  for (const Case& c : cases) {
    const Loaded loaded = Load(Root("", c.term));
    EXPECT_FALSE(loaded.result) << c.term;
    EXPECT_TRUE(loaded.table.empty()) << c.term;
    const std::vector<std::string> expected =
        c.reported ? std::vector<std::string>{"Found invalid mapping for Term Number 7 in file "
                                              "termToInput.xml\n"}
                   : std::vector<std::string>{};
    EXPECT_EQ(loaded.messages, expected) << c.term;
  }
}

TEST(MappingLoaderTest, AnInvalidTermDoesNotStopTheOthers) {
  const Loaded loaded =
      Load(Root("", std::string(R"(<Term Number="2"><System Name="S"><Input/></System></Term>)") +
                        kGoodTerm));
  EXPECT_TRUE(loaded.result);
  EXPECT_EQ(loaded.table.size(), 1u);
  EXPECT_EQ(loaded.messages.size(), 1u);
}

TEST(MappingLoaderTest, ALaterDuplicateReplacesTheWholeEntry) {
  const Loaded loaded = Load(Root("", R"(
    <Term Number="1"><System Name="Old"><Input Name="A" Number="1" Device="9"/></System></Term>
    <Term Number="1"><System Name="New"><Input Number="2"/></System></Term>)"));
  EXPECT_EQ(loaded.table.at(1), (TerminalMapping{"New", "", "2", ""}));
}

TEST(MappingLoaderTest, TermNumbersBeyond32BitsSaturateInsteadOfWrapping) {
  const Loaded loaded = Load(
      Root("", R"(<Term Number="4294967297"><System Name="S"><Input Name="C"/></System></Term>)"));
  EXPECT_EQ(loaded.table.count(1), 0u);
  EXPECT_EQ(loaded.table.count(2147483647), 1u);
}

TEST(MappingLoaderTest, SettingsTakeOnlyAttributesThatReadAsIntegers) {
  struct Case {
    const char* attributes;
    LaunchSettings expected;
  };
  const Case cases[] = {
      {"", {392, 377, 5, 5}},
      {R"( Width="800" Height="600" Pre="60" Post="30")", {800, 600, 60, 30}},
      {R"( Width="12px" Height=" +7" Pre="-2" Post="0")", {12, 7, -2, 0}},
      {R"( Width="abc" Height="px12" Pre="" Post="- 1")", {392, 377, 5, 5}},
      {R"( width="800" PRE="60")", {392, 377, 5, 5}},
      {R"( Pre="99999999999" Post="-99999999999")", {392, 377, 2147483647, -2147483647 - 1}},
  };
  for (const Case& c : cases) {
    const Loaded loaded = Load(Root(c.attributes, kGoodTerm));
    EXPECT_EQ(loaded.settings.Width, c.expected.Width) << c.attributes;
    EXPECT_EQ(loaded.settings.Height, c.expected.Height) << c.attributes;
    EXPECT_EQ(loaded.settings.Pre, c.expected.Pre) << c.attributes;
    EXPECT_EQ(loaded.settings.Post, c.expected.Post) << c.attributes;
  }
}

TEST(MappingLoaderTest, SettingsStayWhenNoTermIsStored) {
  const Loaded loaded = Load(Root(R"( Pre="60")", "<Term/>"));
  EXPECT_FALSE(loaded.result);
  EXPECT_EQ(loaded.settings.Pre, 60);
}

TEST(MappingLoaderTest, OnlyTheFirstTopLevelElementIsRead) {
  struct Case {
    const char* text;
    bool result;
  };
  const Case cases[] = {
      {R"(<?xml version="1.0"?><!-- c --><TermToInput><Term Number="1"><System Name="S"><Input Name="C"/></System></Term></TermToInput>)",
       true},
      {R"(<Other/><TermToInput><Term Number="1"><System Name="S"><Input Name="C"/></System></Term></TermToInput>)",
       false},
      {R"(<termtoinput><Term Number="1"><System Name="S"><Input Name="C"/></System></Term></termtoinput>)",
       false},
      // Whatever follows the first element is never parsed, malformed or not.
      {R"(<TermToInput><Term Number="1"><System Name="S"><Input Name="C"/></System></Term></TermToInput><<<garbage)",
       true},
  };
  for (const Case& c : cases) {
    const Loaded loaded = Load(c.text);
    EXPECT_EQ(loaded.result, c.result) << c.text;
    EXPECT_TRUE(loaded.messages.empty()) << c.text;
  }
}

TEST(MappingLoaderTest, ChildrenOtherThanTermAreIgnored) {
  const Loaded loaded = Load(Root("", std::string("<Comment/><term Number=\"2\"/>") + kGoodTerm));
  EXPECT_TRUE(loaded.result);
  EXPECT_EQ(loaded.table.size(), 1u);
}

TEST(MappingLoaderTest, UnreadableXmlIsReportedWithTheLibrarysDescription) {
  struct Case {
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {"", "Cmd line configuration document XML error: Error document empty.\n"},
      {"  \n ", "Cmd line configuration document XML error: Error document empty.\n"},
      {"<TermToInput><Term></TermToInput>",
       "Cmd line configuration document XML error: Error reading end tag.\n"},
  };
  for (const Case& c : cases) {
    const Loaded loaded = Load(c.text);
    EXPECT_FALSE(loaded.result) << c.text;
    EXPECT_EQ(loaded.messages, std::vector<std::string>{c.message}) << c.text;
  }
}

// What the guard refuses, and the message for each, is recorded with the other bad inputs in
// tests/reliability; here only that it leaves alone what the reader never reaches.
TEST(MappingLoaderTest, FaultsAfterTheFirstElementAreNeverReadSoNeverRefused) {
  const Loaded loaded = Load(Root("", kGoodTerm) + std::string("\0<a></a <![CDATA[", 17));
  EXPECT_TRUE(loaded.result);
  EXPECT_TRUE(loaded.messages.empty());
}

TEST(MappingLoaderTest, ReadsTheFileInTextModeAndReportsOneThatCannotBeOpened) {
  testing::ScratchDirectory scratch;
  testing::FakePlatform platform(scratch.path());
  TerminalMappingTable table;
  LaunchSettings settings;

  EXPECT_FALSE(LoadTerminalMappings(scratch.path() + "/missing.xml", table, settings, platform));
  EXPECT_EQ(platform.messages,
            std::vector<std::string>{"Could not open file " + scratch.path() + "/missing.xml\n"});

  const std::string path = scratch.path() + "/termToInput.xml";
  testing::WriteFileBytes(path, Root(" Pre=\"9\"", std::string("\r\n") + kGoodTerm + "\r\n"));
  EXPECT_TRUE(LoadTerminalMappings(path, table, settings, platform));
  EXPECT_EQ(settings.Pre, 9);
  EXPECT_EQ(table.at(1), (TerminalMapping{"S", "Cam", "", ""}));
}

}  // namespace
}  // namespace pos_video
