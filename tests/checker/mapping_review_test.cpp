#include "checker/mapping_review.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "checker/checker_run.h"

namespace pos_video {
namespace {

constexpr char kPath[] = "termToInput.xml";

MappingReport Inspect(const std::string& text) { return InspectMappingText(text, kPath); }

// Line 2 always holds a good Term, so a file with one slip on line 3 still loads.
std::string FileWith(const std::string& rootAttributes, const std::string& line3) {
  return "<TermToInput" + rootAttributes + ">\n" +
         "  <Term Number=\"1\"><System Name=\"S\"><Input Name=\"C\"/></System></Term>\n" + "  " +
         line3 + "\n</TermToInput>\n";
}

std::string Describe(const MappingReport& report) {
  std::string text;
  for (const Diagnostic& d : report.diagnostics) {
    text += std::to_string(d.position.line) + ":" + std::to_string(d.position.column) + " " +
            d.text + "\n";
  }
  return text;
}

std::string SourceFolder() {
  return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().string();
}

// Each thing the launcher skips or ignores while still loading the file: one finding, in its
// place, and exit status 1.
TEST(MappingReviewTest, EachSkippedPartIsFoundAtItsPlace) {
  struct Case {
    const char* rootAttributes;
    const char* line3;
    DiagnosticKind kind;
    int line;
    int column;
    const char* mentions;
  };
  const Case cases[] = {
      {"", R"(<Term><System Name="S"><Input Name="C"/></System></Term>)",
       DiagnosticKind::kTermWithoutIntegerNumber, 3, 3, "no Number attribute"},
      {"", R"(<Term Number="abc"><System Name="S"><Input Name="C"/></System></Term>)",
       DiagnosticKind::kTermWithoutIntegerNumber, 3, 3, "\"abc\" is not an integer"},
      {"", R"(<Term number="7"><System Name="S"><Input Name="C"/></System></Term>)",
       DiagnosticKind::kTermWithoutIntegerNumber, 3, 3, "found number"},
      {"", R"(<Term Number="7"/>)", DiagnosticKind::kTermWithoutSystem, 3, 3, "no System"},
      {"", R"(<Term Number="7"><system Name="S"><Input Name="C"/></system></Term>)",
       DiagnosticKind::kTermWithoutSystem, 3, 3, "found <system>"},
      {"", R"(<Term Number="7"><System><Input Name="C"/></System></Term>)",
       DiagnosticKind::kSystemWithoutName, 3, 3, "terminal 7"},
      {"", R"(<Term Number="7"><System Name="S"/></Term>)", DiagnosticKind::kSystemWithoutInput, 3,
       3, "no Input element"},
      {"", R"(<Term Number="7"><System Name="S"/><Input Name="C"/></Term>)",
       DiagnosticKind::kSystemWithoutInput, 3, 3, "directly under Term"},
      {"", R"(<Term Number="7"><Input Name="C"/></Term>)", DiagnosticKind::kTermWithoutSystem, 3, 3,
       "directly under Term"},
      {"", R"(<Term Number="7"><System Name="S"><Input Device="2"/></System></Term>)",
       DiagnosticKind::kInputWithoutNameOrNumber, 3, 3, "neither Name nor Number"},
      {"", R"(<Camera Number="7"/>)", DiagnosticKind::kRootChildNotTerm, 3, 3, "<Camera>"},
      {"", R"(<term Number="7"/>)", DiagnosticKind::kRootChildNotTerm, 3, 3, "case-sensitive"},
      {"", R"(Term Number="7">)", DiagnosticKind::kTextInRoot, 3, 3, "Term Number"},
      {R"( Width="abc")", "", DiagnosticKind::kSettingIgnored, 1, 14, "keeps the default 392"},
      {R"( Pre="5" width="500")", "", DiagnosticKind::kSettingIgnored, 1, 22, "found width"},
  };
  for (const Case& c : cases) {
    const MappingReport report = Inspect(FileWith(c.rootAttributes, c.line3));
    SCOPED_TRACE(std::string(c.rootAttributes) + c.line3);
    EXPECT_TRUE(report.loaded);
    ASSERT_EQ(report.diagnostics.size(), 1u) << Describe(report);
    const Diagnostic& finding = report.diagnostics[0];
    EXPECT_EQ(finding.kind, c.kind);
    EXPECT_EQ(finding.position.line, c.line);
    EXPECT_EQ(finding.position.column, c.column);
    EXPECT_NE(finding.text.find(c.mentions), std::string::npos) << finding.text;
    EXPECT_EQ(CheckExitStatus(report), kExitSomethingSkipped);
  }
}

TEST(MappingReviewTest, TheSampleFileLoadsWithNothingSkipped) {
  const MappingReport report = InspectMappingFile(SourceFolder() + "/examples/termToInput.xml");
  EXPECT_TRUE(report.loaded);
  EXPECT_EQ(Describe(report), "");
  EXPECT_EQ(report.table.size(), 4u);
  EXPECT_EQ(report.termPositions.at(4).line, 16);
  for (const SettingReport& setting : report.settingReports) {
    EXPECT_EQ(setting.origin, SettingOrigin::kFile) << setting.name;
  }
  EXPECT_EQ(CheckExitStatus(report), kExitNothingSkipped);
}

// The README walks through this file; its findings must stay as shown there.
TEST(MappingReviewTest, TheBrokenSampleShowsEverySlipItDemonstrates) {
  const MappingReport report =
      InspectMappingFile(SourceFolder() + "/examples/broken/termToInput.xml");
  std::vector<std::pair<int, DiagnosticKind>> found;
  for (const Diagnostic& d : report.diagnostics) found.emplace_back(d.position.line, d.kind);
  const std::vector<std::pair<int, DiagnosticKind>> expected = {
      {4, DiagnosticKind::kSettingIgnored},
      {10, DiagnosticKind::kSystemWithoutInput},
      {14, DiagnosticKind::kTermWithoutIntegerNumber},
      {19, DiagnosticKind::kInputWithoutNameOrNumber},
      {24, DiagnosticKind::kRootChildNotTerm},
      {29, DiagnosticKind::kTerminalReplaced},
      {35, DiagnosticKind::kUnreadText},
  };
  EXPECT_EQ(found, expected) << Describe(report);
  EXPECT_EQ(CheckExitStatus(report), kExitSomethingSkipped);
}

TEST(MappingReviewTest, SettingsShowWhereTheirValuesComeFrom) {
  const MappingReport report = Inspect(FileWith(R"( Width="12px" Height="abc" Post="-3")", ""));
  ASSERT_EQ(report.settingReports.size(), 4u);
  const SettingReport& width = report.settingReports[0];
  EXPECT_EQ(width.value, 12);
  EXPECT_EQ(width.origin, SettingOrigin::kFile);
  EXPECT_EQ(width.attributeText, "12px");
  EXPECT_EQ(report.settingReports[1].value, 377);
  EXPECT_EQ(report.settingReports[1].origin, SettingOrigin::kDefaultNotInteger);
  EXPECT_EQ(report.settingReports[2].origin, SettingOrigin::kDefaultAbsent);
  EXPECT_EQ(report.settingReports[3].value, -3);
  // What the checker shows is what the launcher uses.
  EXPECT_EQ(report.settings.Width, 12);
  EXPECT_EQ(report.settings.Height, 377);
  EXPECT_EQ(report.settings.Post, -3);
}

TEST(MappingReviewTest, EachReplacedTerminalNamesTheTermItReplaces) {
  const MappingReport report = Inspect(
      "<TermToInput>\n"
      "<Term Number=\"5\"><System Name=\"S\"><Input Name=\"First\"/></System></Term>\n"
      "<Term Number=\"5\"><System Name=\"S\"><Input Name=\"Second\"/></System></Term>\n"
      "<Term Number=\"5\"><System Name=\"S\"><Input Device=\"1\"/></System></Term>\n"
      "<Term Number=\"5\"><System Name=\"S\"><Input Name=\"Third\"/></System></Term>\n"
      "</TermToInput>\n");
  ASSERT_EQ(report.diagnostics.size(), 3u) << Describe(report);
  EXPECT_EQ(report.diagnostics[0].kind, DiagnosticKind::kTerminalReplaced);
  EXPECT_EQ(report.diagnostics[0].position.line, 3);
  EXPECT_NE(report.diagnostics[0].text.find("line 2, column 1"), std::string::npos);
  // A rejected Term replaces nothing: the last one replaces the second.
  EXPECT_EQ(report.diagnostics[1].kind, DiagnosticKind::kInputWithoutNameOrNumber);
  EXPECT_EQ(report.diagnostics[2].position.line, 5);
  EXPECT_NE(report.diagnostics[2].text.find("line 3, column 1"), std::string::npos);
  EXPECT_EQ(report.table.at(5).inputName, "Third");
  EXPECT_EQ(report.termPositions.at(5).line, 5);
}

TEST(MappingReviewTest, TextAfterTheFirstElementIsFoundUnlessItIsOnlyComments) {
  const std::string good = FileWith("", "");
  EXPECT_EQ(Describe(Inspect(good + "\n<!-- end of the mapping -->\n  \n")), "");

  const MappingReport lateTerm = Inspect(
      good + "\n\t<Term Number=\"2\"><System Name=\"S\"><Input Name=\"C\"/></System></Term>");
  ASSERT_EQ(lateTerm.diagnostics.size(), 1u);
  EXPECT_EQ(lateTerm.diagnostics[0].kind, DiagnosticKind::kUnreadText);
  EXPECT_EQ(lateTerm.diagnostics[0].position.line, 6);
  EXPECT_EQ(lateTerm.diagnostics[0].position.column, 5);  // After a tab, as TinyXML counts.
  EXPECT_NE(lateTerm.diagnostics[0].text.find("Terms belong inside"), std::string::npos);
  EXPECT_EQ(lateTerm.table.count(2), 0u);

  const MappingReport secondRoot = Inspect(good + "<!-- x --><TermToInput/>");
  ASSERT_EQ(secondRoot.diagnostics.size(), 1u);
  EXPECT_EQ(secondRoot.diagnostics[0].position.line, 5);
  EXPECT_EQ(secondRoot.diagnostics[0].position.column, 11);
  EXPECT_NE(secondRoot.diagnostics[0].text.find("TermToInput here"), std::string::npos);
}

// Positions the checker counts itself (unread text) must agree with TinyXML's (elements).
TEST(MappingReviewTest, PositionsAgreeWithTinyXmlOverCarriageReturnsAndTabs) {
  const MappingReport report = Inspect(
      "<TermToInput>\r\n\t<Term Number=\"x\"/>\r\n"
      "\t<Term Number=\"1\"><System Name=\"S\"><Input Name=\"C\"/></System></Term>\r\n"
      "</TermToInput>\r\n\t<Term Number=\"2\"/>\r\n");
  ASSERT_EQ(report.diagnostics.size(), 2u) << Describe(report);
  EXPECT_EQ(report.diagnostics[0].position.line, 2);
  EXPECT_EQ(report.diagnostics[0].position.column, 5);
  EXPECT_EQ(report.diagnostics[1].kind, DiagnosticKind::kUnreadText);
  EXPECT_EQ(report.diagnostics[1].position.line, 5);
  EXPECT_EQ(report.diagnostics[1].position.column, 5);
}

// Files of which the launcher loads nothing: what it shows, and exit status 2.
TEST(MappingReviewTest, FilesThatLoadNothingSayWhy) {
  struct Case {
    std::string text;
    DiagnosticKind kind;
    int line;
    std::vector<std::string> messages;
  };
  std::string deep;
  for (int i = 0; i < 200; ++i) deep += "<a>";
  const Case cases[] = {
      {"",
       DiagnosticKind::kXmlError,
       0,
       {"Cmd line configuration document XML error: Error document empty.\n"}},
      {"<TermToInput>\n<Term>\n</TermToInput>",
       DiagnosticKind::kXmlError,
       3,
       {"Cmd line configuration document XML error: Error reading end tag.\n"}},
      {std::string("<TermToInput>\0</TermToInput>", 28),
       DiagnosticKind::kTextRefused,
       0,
       {"Cmd line configuration document XML error: The file holds a NUL byte; it must be saved "
        "as ANSI or UTF-8 (not as Unicode or UTF-16).\n"}},
      {"<TermToInput>" + deep,
       DiagnosticKind::kTextRefused,
       0,
       {"Cmd line configuration document XML error: Elements are nested more than 128 levels "
        "deep.\n"}},
      {"<?xml version=\"1.0\" ?>\n<!-- nothing yet -->", DiagnosticKind::kNoElement, 0, {}},
      {"<!-- a -->\n  <termToInput/>", DiagnosticKind::kRootNotTermToInput, 2, {}},
      {"<TermToInput>\n<Term Number=\"1\"/>\n</TermToInput>",
       DiagnosticKind::kNoTerminalStored,
       0,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    const MappingReport report = Inspect(c.text);
    EXPECT_FALSE(report.loaded);
    ASSERT_FALSE(report.diagnostics.empty());
    const Diagnostic& last = report.diagnostics.back();
    EXPECT_EQ(last.kind, c.kind) << Describe(report);
    EXPECT_EQ(last.position.line, c.line);
    EXPECT_EQ(report.launcherMessages, c.messages);
    EXPECT_EQ(CheckExitStatus(report), kExitNothingLoaded);
  }
}

TEST(MappingReviewTest, AnUnreadableFileLoadsNothingWithTheLaunchersMessage) {
  const MappingReport report = InspectMappingFile("no-such-folder/termToInput.xml");
  EXPECT_FALSE(report.loaded);
  ASSERT_EQ(report.diagnostics.size(), 1u);
  EXPECT_EQ(report.diagnostics[0].kind, DiagnosticKind::kFileUnreadable);
  EXPECT_EQ(report.launcherMessages,
            std::vector<std::string>{"Could not open file no-such-folder/termToInput.xml\n"});
  EXPECT_EQ(CheckExitStatus(report), kExitNothingLoaded);
}

}  // namespace
}  // namespace pos_video
