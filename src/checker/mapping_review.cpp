#include "checker/mapping_review.h"

#include <tinyxml.h>

#include <string>
#include <utility>
#include <vector>

#include "checker/message_collector.h"
#include "checker/name_slips.h"
#include "checker/term_diagnosis.h"
#include "checker/unread_text.h"
#include "mapping/mapping_loader.h"

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

// A value holding a NUL (which ends it for the launcher) or other control characters: written as
// character references, they change what the name becomes without showing in the file.
void InspectValue(const TiXmlElement* element, const char* attribute, const TermReading& reading,
                  MappingReport* report) {
  const std::string* value =
      element != nullptr ? element->Attribute(std::string(attribute)) : nullptr;
  if (value == nullptr) return;
  const std::string where = "Term for terminal " + std::to_string(reading.number) + ": its " +
                            element->ValueStr() + " " + attribute;
  const std::size_t nul = value->find('\0');
  if (nul != std::string::npos) {
    Add(report, AttributePosition(*element, attribute), DiagnosticKind::kNameChangedByReference,
        where + " holds a reference to the character 0, which ends it: the launcher uses \"" +
            value->substr(0, nul) + "\"");
    return;
  }
  for (const char c : *value) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 0x20 || code == 0x7F) {
      Add(report, AttributePosition(*element, attribute), DiagnosticKind::kNameChangedByReference,
          where + " holds the control character " + std::to_string(code) +
              ", which the client receives as it is");
      return;
    }
  }
}

// The loader's judgement of a Term, and where the one the table keeps for its terminal stands.
void InspectTerm(const TermReading& reading, MappingReport* report) {
  if (reading.verdict != TermVerdict::kStored) {
    report->diagnostics.push_back(DescribeUnusedTerm(reading));
    return;
  }
  const TiXmlElement* system = reading.element->FirstChildElement("System");
  const TiXmlElement* input = system->FirstChildElement("Input");
  InspectValue(system, "Name", reading, report);
  for (const char* attribute : {"Name", "Number", "Device"}) {
    InspectValue(input, attribute, reading, report);
  }
  const TextPosition here = PositionOf(*reading.element);
  const auto [earlier, first] = report->termPositions.emplace(reading.number, here);
  if (first) return;
  Add(report, here, DiagnosticKind::kTerminalReplaced,
      "Term for terminal " + std::to_string(reading.number) + " replaces the one at line " +
          std::to_string(earlier->second.line) + ", column " +
          std::to_string(earlier->second.column) + ": the later Term wins, whole");
  earlier->second = here;
}

void InspectRoot(const TiXmlElement& root, const std::vector<TermReading>& terms,
                 MappingReport* report) {
  const LaunchSettings defaults;
  InspectSetting(root, "Width", defaults.Width, report);
  InspectSetting(root, "Height", defaults.Height, report);
  InspectSetting(root, "Pre", defaults.Pre, report);
  InspectSetting(root, "Post", defaults.Post, report);

  // The loader judged the Terms in file order; the other children are the checker's own.
  auto term = terms.begin();
  for (const TiXmlNode* child = root.FirstChild(); child != nullptr; child = child->NextSibling()) {
    if (const TiXmlElement* element = child->ToElement()) {
      if (term != terms.end() && term->element == element) {
        InspectTerm(*term++, report);
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

// Why the loader could not read the file at all, if so.
bool ExplainUnread(const MappingFileReading& reading, MappingReport* report) {
  if (!reading.file.read) {
    Add(report, {}, DiagnosticKind::kFileUnreadable,
        "cannot read the file: " + reading.file.failure);
  } else if (reading.refused) {
    Add(report, {}, DiagnosticKind::kTextRefused,
        "the launcher refuses the file before parsing it: " + reading.problem);
  } else if (reading.xmlError) {
    const TiXmlDocument& document = reading.document;
    const TextPosition position = document.ErrorRow() > 0
                                      ? TextPosition{document.ErrorRow(), document.ErrorCol()}
                                      : TextPosition{};
    Add(report, position, DiagnosticKind::kXmlError,
        "the launcher cannot parse the file: " + reading.problem);
  } else {
    return false;
  }
  return true;
}

}  // namespace

MappingReport InspectMappingFile(const std::string& path, FileReader& files) {
  MappingReport report;
  MessageCollector collector;
  MappingFileReading reading;
  report.loaded =
      LoadTerminalMappings(path, files, collector, report.table, report.settings, &reading);
  report.launcherMessages = collector.messages();
  if (ExplainUnread(reading, &report)) return report;

  const TiXmlElement* root = reading.document.FirstChildElement("TermToInput");
  const TiXmlElement* first = reading.document.FirstChildElement();
  if (root != nullptr) {
    InspectRoot(*root, reading.terms, &report);
  } else if (first == nullptr) {
    Add(&report, {}, DiagnosticKind::kNoElement,
        "the file holds no element: the launcher loads nothing and shows no message");
  } else {
    Add(&report, PositionOf(*first), DiagnosticKind::kRootNotTermToInput,
        "the first element is <" + first->ValueStr() +
            ">, not <TermToInput>: the launcher loads nothing and shows no message" +
            (EqualIgnoringCase(first->ValueStr(), "TermToInput") ? kCaseNote : ""));
  }
  InspectUnreadText(reading.file.text, reading.readLength, &report);
  if (root != nullptr && !report.loaded) {
    Add(&report, {}, DiagnosticKind::kNoTerminalStored,
        std::string("no Term gives the launcher a terminal: it loads nothing") +
            (report.launcherMessages.empty() ? ", shows no message" : "") +
            " and never starts the client");
  }
  return report;
}

}  // namespace pos_video
