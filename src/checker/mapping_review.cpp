#include "checker/mapping_review.h"

#include <tinyxml.h>

#include <string>
#include <utility>

#include "checker/message_collector.h"
#include "checker/name_slips.h"
#include "checker/term_diagnosis.h"
#include "checker/unread_text.h"
#include "mapping/mapping_file_reading.h"
#include "mapping/mapping_loader.h"
#include "mapping/mapping_text_guard.h"

namespace pos_video {
namespace {

constexpr char kCaseNote[] = " (names are case-sensitive)";

TextPosition PositionOf(const TiXmlBase& node) { return {node.Row(), node.Column()}; }

void Add(MappingReport* report, TextPosition position, DiagnosticKind kind, std::string text) {
  report->diagnostics.push_back({position, kind, std::move(text)});
}

TextPosition AttributePosition(const TiXmlElement& element, const std::string& name) {
  for (const TiXmlAttribute* attribute = element.FirstAttribute(); attribute != nullptr;
       attribute = attribute->Next()) {
    if (attribute->NameTStr() == name) return PositionOf(*attribute);
  }
  return PositionOf(element);
}

void InspectSetting(const TiXmlElement& root, const char* name, std::int32_t defaultValue,
                    MappingReport* report) {
  SettingReport setting;
  setting.name = name;
  setting.value = defaultValue;
  switch (ReadIntegerAttribute(root, name, &setting.value)) {
    case SettingReading::kRead:
      setting.origin = SettingOrigin::kFile;
      setting.attributeText = root.Attribute(name);
      break;
    case SettingReading::kNotInteger:
      setting.origin = SettingOrigin::kDefaultNotInteger;
      setting.attributeText = root.Attribute(name);
      Add(report, AttributePosition(root, name), DiagnosticKind::kSettingIgnored,
          std::string(name) + " \"" + setting.attributeText +
              "\" is not an integer: the launcher keeps the default " +
              std::to_string(defaultValue));
      break;
    case SettingReading::kAbsent: {
      setting.origin = SettingOrigin::kDefaultAbsent;
      const std::string nearMiss = AttributeInOtherCase(root, name);
      if (!nearMiss.empty()) {
        Add(report, AttributePosition(root, nearMiss), DiagnosticKind::kSettingIgnored,
            nearMiss + " is not " + name + ": the launcher keeps the default " +
                std::to_string(defaultValue) + CaseHint(nearMiss));
      }
      break;
    }
  }
  report->settingReports.push_back(setting);
}

// Judges a Term as the loader does, and notes where the one the table keeps for its terminal
// stands.
void InspectTerm(const TiXmlElement& term, MappingReport* report) {
  const TermReading reading = ReadTerm(term);
  if (reading.verdict != TermVerdict::kStored) {
    report->diagnostics.push_back(DescribeUnusedTerm(term, reading));
    return;
  }
  const TextPosition here = PositionOf(term);
  const auto [earlier, first] = report->termPositions.emplace(reading.number, here);
  if (first) return;
  Add(report, here, DiagnosticKind::kTerminalReplaced,
      "Term for terminal " + std::to_string(reading.number) + " replaces the one at line " +
          std::to_string(earlier->second.line) + ", column " +
          std::to_string(earlier->second.column) + ": the later Term wins, whole");
  earlier->second = here;
}

void InspectRoot(const TiXmlElement& root, MappingReport* report) {
  const LaunchSettings defaults;
  InspectSetting(root, "Width", defaults.Width, report);
  InspectSetting(root, "Height", defaults.Height, report);
  InspectSetting(root, "Pre", defaults.Pre, report);
  InspectSetting(root, "Post", defaults.Post, report);

  for (const TiXmlNode* child = root.FirstChild(); child != nullptr; child = child->NextSibling()) {
    if (const TiXmlElement* element = child->ToElement()) {
      if (element->ValueStr() == "Term") {
        InspectTerm(*element, report);
      } else {
        Add(report, PositionOf(*element), DiagnosticKind::kRootChildNotTerm,
            "<" + element->ValueStr() + "> inside TermToInput is ignored: the launcher reads " +
                "only Term elements there" +
                (EqualIgnoringCase(element->ValueStr(), "Term") ? kCaseNote : ""));
      }
    } else if (const TiXmlText* text = child->ToText()) {
      Add(report, PositionOf(*text), DiagnosticKind::kTextInRoot,
          "text inside TermToInput is ignored: " + Excerpt(text->ValueStr()));
    }
  }
}

// Parses as the launcher does and reports why nothing could be read, if so.
bool InspectParse(const std::string& text, TiXmlDocument* document, std::size_t* readLength,
                  MappingReport* report) {
  std::string problem;
  if (!CheckMappingText(text, &problem)) {
    Add(report, {}, DiagnosticKind::kTextRefused,
        "the launcher refuses the file before parsing it: " + problem);
    return false;
  }
  if (ParseMappingText(text, document, &problem, readLength)) return true;
  const TextPosition position = document->ErrorRow() > 0
                                    ? TextPosition{document->ErrorRow(), document->ErrorCol()}
                                    : TextPosition{};
  Add(report, position, DiagnosticKind::kXmlError,
      "the launcher cannot parse the file: " + problem);
  return false;
}

}  // namespace

MappingReport InspectMappingText(const std::string& text, const std::string& path) {
  MappingReport report;
  MessageCollector collector;
  report.loaded =
      LoadTerminalMappingsFromText(text, path, report.table, report.settings, collector);
  report.launcherMessages = collector.messages();

  TiXmlDocument document;
  std::size_t readLength = 0;
  if (!InspectParse(text, &document, &readLength, &report)) return report;

  const TiXmlElement* root = document.FirstChildElement("TermToInput");
  const TiXmlElement* first = document.FirstChildElement();
  if (root != nullptr) {
    InspectRoot(*root, &report);
  } else if (first == nullptr) {
    Add(&report, {}, DiagnosticKind::kNoElement,
        "the file holds no element: the launcher loads nothing and shows no message");
  } else {
    Add(&report, PositionOf(*first), DiagnosticKind::kRootNotTermToInput,
        "the first element is <" + first->ValueStr() +
            ">, not <TermToInput>: the launcher loads nothing and shows no message" +
            (EqualIgnoringCase(first->ValueStr(), "TermToInput") ? kCaseNote : ""));
  }
  InspectUnreadText(text, readLength, &report);
  if (root != nullptr && !report.loaded) {
    Add(&report, {}, DiagnosticKind::kNoTerminalStored,
        std::string("no Term gives the launcher a terminal: it loads nothing") +
            (report.launcherMessages.empty() ? ", shows no message" : "") +
            " and never starts the client");
  }
  return report;
}

MappingReport InspectMappingFile(const std::string& path) {
  std::string text;
  std::string failure;
  if (ReadMappingFile(path, &text, &failure)) return InspectMappingText(text, path);

  MappingReport report;
  Add(&report, {}, DiagnosticKind::kFileUnreadable, "cannot read the file: " + failure);
  // The loader's own attempt gives the launcher's message for a file it cannot open.
  MessageCollector collector;
  TerminalMappingTable table;
  LaunchSettings settings;
  LoadTerminalMappings(path, table, settings, collector);
  report.launcherMessages = collector.messages();
  return report;
}

}  // namespace pos_video
