#include "checker/mapping_review.h"

#include <tinyxml.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "base/ascii_classes.h"
#include "checker/message_collector.h"
#include "mapping/mapping_loader.h"

namespace pos_video {
namespace {

constexpr char kCaseNote[] = " (names are case-sensitive)";
constexpr int kTabSize = 4;  // TinyXML's, for positions that agree with the ones it reports.
constexpr std::size_t kExcerptLength = 40;
constexpr std::int32_t kSecondsPerDay = 24 * 60 * 60;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

TextPosition PositionOf(const TiXmlBase& node) { return {node.Row(), node.Column()}; }

TextPosition PositionOf(const IntegerAttribute& read, const TiXmlElement& element) {
  return read.attribute != nullptr ? PositionOf(*read.attribute) : PositionOf(element);
}

// Position of `text[offset]`, counted as TinyXML counts: line ends are LF, CR or CR LF; a tab
// advances to the next column after a multiple of four; every other byte is one column.
TextPosition PositionInText(const std::string& text, std::size_t offset) {
  int row = 0;
  int column = 0;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      ++row;
      column = 0;
      if (i + 1 < offset && text[i + 1] == (c == '\r' ? '\n' : '\r')) ++i;
    } else if (c == '\t') {
      column = (column / kTabSize + 1) * kTabSize;
    } else {
      ++column;
    }
  }
  return {row + 1, column + 1};
}

std::string TermLabel(std::int32_t number) { return "Term for terminal " + std::to_string(number); }

// Names are matched exactly by the launcher; a near miss in letter case is worth pointing at.
bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

const TiXmlAttribute* AttributeInOtherCase(const TiXmlElement& element, const std::string& name) {
  for (const TiXmlAttribute* attribute = element.FirstAttribute(); attribute != nullptr;
       attribute = attribute->Next()) {
    if (attribute->NameTStr() != name && EqualIgnoringCase(attribute->NameTStr(), name)) {
      return attribute;
    }
  }
  return nullptr;
}

std::string CaseHint(const std::string& found) {
  return found.empty() ? "" : " (found " + found + ": names are case-sensitive)";
}

std::string AttributeHint(const TiXmlElement& element, const char* name) {
  const TiXmlAttribute* nearMiss = AttributeInOtherCase(element, name);
  return nearMiss == nullptr ? "" : CaseHint(nearMiss->NameTStr());
}

std::string ElementHint(const TiXmlElement& parent, const char* name) {
  for (const TiXmlElement* child = parent.FirstChildElement(); child != nullptr;
       child = child->NextSiblingElement()) {
    if (child->ValueStr() != name && EqualIgnoringCase(child->ValueStr(), name)) {
      return CaseHint("<" + child->ValueStr() + ">");
    }
  }
  return "";
}

// The start of `text` for quoting in a finding: its first line, cut short when long.
std::string Excerpt(const std::string& text) {
  std::size_t start = 0;
  while (start < text.size() && IsAsciiWhitespace(text[start])) ++start;
  if (start == text.size()) return "\"\"";
  std::size_t end = text.find_first_of("\r\n", start);
  if (end == std::string::npos) end = text.size();
  std::string line = text.substr(start, end - start);
  std::size_t rest = end;
  while (rest < text.size() && IsAsciiWhitespace(text[rest])) ++rest;
  if (line.size() > kExcerptLength) {
    line.resize(kExcerptLength);
    line += "...";
  } else if (rest < text.size()) {
    line += " ...";
  }
  return Quoted(line);
}

class Review {
 public:
  explicit Review(MappingReport& report) : report_(report) {}

  void Add(TextPosition position, std::string text, Severity severity = Severity::kWarning) {
    report_.findings.push_back({position, severity, std::move(text)});
  }

  // Why the loader could not read the file at all, if so.
  bool ExplainUnread(const MappingFileReading& reading) {
    if (!reading.file.read) {
      Add({}, "cannot read the file: " + reading.file.failure, Severity::kError);
    } else if (reading.refused) {
      Add({}, "the launcher refuses the file before parsing it: " + reading.problem,
          Severity::kError);
    } else if (reading.xmlError) {
      const TiXmlDocument& document = reading.document;
      Add(document.ErrorRow() > 0 ? TextPosition{document.ErrorRow(), document.ErrorCol()}
                                  : TextPosition{},
          "the launcher cannot parse the file: " + reading.problem, Severity::kError);
    } else {
      return false;
    }
    return true;
  }

  void ReviewSetting(const TiXmlElement& root, const char* name, const IntegerAttribute& read,
                     std::int32_t defaultValue) {
    SettingReport setting{name, defaultValue, SettingOrigin::kDefaultAbsent, ""};
    if (read.attribute != nullptr) setting.attributeText = read.attribute->ValueStr();
    const std::string written = std::string(name) + " " + Quoted(setting.attributeText);
    if (read.reading == SettingReading::kRead) {
      setting.origin = SettingOrigin::kFile;
      setting.value = read.value;
      ReviewDigits(read, root, written);
      ReviewRange(read, name, written);
    } else if (read.reading == SettingReading::kNotInteger) {
      setting.origin = SettingOrigin::kDefaultNotInteger;
      Add(PositionOf(*read.attribute), written +
                                           " is not an integer: the launcher keeps the default " +
                                           std::to_string(defaultValue));
    } else if (const TiXmlAttribute* nearMiss = AttributeInOtherCase(root, name)) {
      Add(PositionOf(*nearMiss), nearMiss->NameTStr() + " is not " + name +
                                     ": the launcher keeps the default " +
                                     std::to_string(defaultValue) + CaseHint(nearMiss->NameTStr()));
    }
    report_.settingReports.push_back(setting);
  }

  void ReviewRoot(const MappingFileReading& reading) {
    const TiXmlElement& root = *reading.root;
    const LaunchSettings defaults;
    const std::int32_t defaultValues[] = {defaults.Width, defaults.Height, defaults.Pre,
                                          defaults.Post};
    for (std::size_t i = 0; i < kSettingNames.size(); ++i) {
      ReviewSetting(root, kSettingNames[i], reading.settings[i], defaultValues[i]);
    }
    ReviewRootClock(reading.clock, root);
    // The loader stopped before the Terms: the root's fault is all there is to say.
    if (!reading.clock.Usable()) return;
    // The loader judged the Terms in file order; the other children are the checker's own.
    auto term = reading.terms.begin();
    for (const TiXmlNode* child = root.FirstChild(); child != nullptr;
         child = child->NextSibling()) {
      if (const TiXmlElement* element = child->ToElement()) {
        if (term != reading.terms.end() && term->element == element) {
          ReviewTerm(*term++);
        } else {
          Add(PositionOf(*element),
              "<" + element->ValueStr() +
                  "> inside TermToInput is ignored: the launcher reads only Term elements there" +
                  (EqualIgnoringCase(element->ValueStr(), "Term") ? kCaseNote : ""));
        }
      } else if (const TiXmlText* text = child->ToText()) {
        Add(PositionOf(*text), "text inside TermToInput is ignored: " + Excerpt(text->ValueStr()));
      }
    }
  }

  // Adds a finding when anything but white space and comments follows the first top-level
  // element: the launcher's reader stops at its end, so the rest is silently lost.
  void ReviewUnreadText(const std::string& text, std::size_t readLength) {
    std::size_t at = readLength;
    for (;;) {
      while (at < text.size() && IsAsciiWhitespace(text[at])) ++at;
      if (at == text.size()) return;
      const std::size_t close =
          text.compare(at, 4, "<!--") == 0 ? text.find("-->", at + 4) : std::string::npos;
      if (close == std::string::npos) break;
      at = close + 3;
    }
    const std::string tail = text.substr(at);
    std::string hint;
    if (tail.find("<TermToInput") != std::string::npos) {
      hint = "; a TermToInput here is never read";
    } else if (HoldsTermElement(tail)) {
      hint = "; Terms belong inside TermToInput";
    }
    Add(PositionInText(text, at),
        "the launcher stops reading at the end of the first element and never reads this: " +
            Excerpt(tail) + hint);
  }

 private:
  static bool HoldsTermElement(const std::string& text) {
    for (std::size_t at = text.find("<Term"); at != std::string::npos;
         at = text.find("<Term", at + 1)) {
      const std::size_t after = at + 5;
      if (after == text.size() || text[after] == '>' || text[after] == '/' ||
          IsAsciiWhitespace(text[after])) {
        return true;
      }
    }
    return false;
  }

  void ReviewRootClock(const ClockAttributes& clock, const TiXmlElement& root) {
    if (clock.timeZone != nullptr) {
      report_.timeZone = clock.timeZone->ValueStr();
      report_.timeZoneUsable = clock.timeZoneUsable;
    }
    const IntegerAttribute& offset = clock.clockOffset;
    if (offset.attribute != nullptr) {
      report_.settingReports.push_back(
          {"ClockOffset", offset.value,
           clock.clockOffsetUsable ? SettingOrigin::kFile : SettingOrigin::kUnusable,
           offset.attribute->ValueStr()});
    }
    ReviewClock(clock, root, "", "the launcher shows a message and loads nothing");
  }

  // The TimeZone and ClockOffset of the root or of a Term (`owner` then names it).
  void ReviewClock(const ClockAttributes& clock, const TiXmlElement& element,
                   const std::string& owner, const char* consequence) {
    if (!clock.timeZoneUsable) {
      Add(PositionOf(*clock.timeZone),
          owner + "TimeZone " + Quoted(clock.timeZone->ValueStr()) +
              " is neither a tzdata zone name nor a POSIX TZ rule with its rules: " + consequence,
          Severity::kError);
    }
    const IntegerAttribute& offset = clock.clockOffset;
    if (offset.attribute == nullptr) return;
    const std::string written = owner + "ClockOffset " + Quoted(offset.attribute->ValueStr());
    if (!clock.clockOffsetUsable) {
      Add(PositionOf(*offset.attribute),
          written + " is not a whole number of seconds within a day: " + consequence,
          Severity::kError);
    } else {
      ReviewDigits(offset, element, written);
    }
  }

  // "640px", "1e3", "0x8": the launcher reads the digits and drops the rest without a word.
  void ReviewDigits(const IntegerAttribute& read, const TiXmlElement& element,
                    const std::string& written) {
    if (!read.textAfterDigits) return;
    Add(PositionOf(read, element),
        written + " has text after its digits: the launcher reads " + std::to_string(read.value));
  }

  void ReviewRange(const IntegerAttribute& read, const std::string& name,
                   const std::string& written) {
    const TextPosition here = PositionOf(*read.attribute);
    const std::int32_t value = read.value;
    if ((name == "Width" || name == "Height") && value <= 0) {
      Add(here, written + " is not positive: the client's window gets no size from it");
    } else if (name == "Pre" && value < 0) {
      Add(here, written + " is negative: the search starts " +
                    std::to_string(-std::int64_t{value}) + " s after the transaction");
    } else if (name == "Post" && value < 0) {
      Add(here, written + " is negative: the search ends " + std::to_string(-std::int64_t{value}) +
                    " s before the transaction");
    } else if ((name == "Pre" || name == "Post") && value > kSecondsPerDay) {
      Add(here, written + " is longer than a day: the launcher searches " + std::to_string(value) +
                    " s " + (name == "Pre" ? "before" : "after") + " the transaction");
    }
  }

  // A value holding a NUL (which ends it for the launcher) or other control characters: written
  // as character references, they change what the name becomes without showing in the file.
  void ReviewValue(const TiXmlElement& element, const char* name, std::int32_t number) {
    const TiXmlAttribute* attribute = FindAttribute(element, name);
    if (attribute == nullptr) return;
    const std::string& value = attribute->ValueStr();
    const std::string where = TermLabel(number) + ": its " + element.ValueStr() + " " + name;
    const std::size_t nul = value.find('\0');
    if (nul != std::string::npos) {
      Add(PositionOf(*attribute), where +
                                      " holds a reference to the character 0, which ends it: "
                                      "the launcher uses " +
                                      Quoted(value.substr(0, nul)));
      return;
    }
    for (const char c : value) {
      const auto code = static_cast<unsigned char>(c);
      if (code < 0x20 || code == 0x7F) {
        Add(PositionOf(*attribute), where + " holds the control character " + std::to_string(code) +
                                        ", which the client receives as it is");
        return;
      }
    }
  }

  void ReviewTerm(const TermReading& reading) {
    const TiXmlElement& term = *reading.element;
    const TextPosition here = PositionOf(term);
    const std::int32_t number = reading.number.value;
    if (reading.verdict != TermVerdict::kNoIntegerNumber) {
      ReviewDigits(reading.number, term,
                   "Term Number " + Quoted(reading.number.attribute->ValueStr()));
    }
    if (reading.verdict == TermVerdict::kUnusableClock) {
      ReviewClock(reading.clock, term, TermLabel(number) + " rejected with a message: its ",
                  "the launcher shows a message and skips the Term");
      return;
    }
    if (reading.verdict != TermVerdict::kStored) {
      DescribeUnusedTerm(reading);
      return;
    }
    ReviewClock(reading.clock, term, TermLabel(number) + ": its ", "");
    ReviewValue(*reading.system, "Name", number);
    for (const char* attribute : {"Name", "Number", "Device"}) {
      ReviewValue(*reading.input, attribute, number);
    }
    const TerminalMapping& stored = report_.table.at(number);
    if (stored.inputName.empty() && stored.inputNumber.empty()) {
      Add(PositionOf(*reading.input),
          TermLabel(number) +
              ": its Input names no camera (neither Name nor Number has a value): the client is "
              "started with Input Number \"\"");
    }
    const auto [earlier, first] = report_.termPositions.emplace(number, here);
    if (first) return;
    Add(here, TermLabel(number) + " replaces the one at line " +
                  std::to_string(earlier->second.line) + ", column " +
                  std::to_string(earlier->second.column) + ": the later Term wins, whole");
    earlier->second = here;
  }

  // The most common slip in hand-written files: the launcher looks for Input only inside System.
  static std::string MisplacedInputHint(const TiXmlElement& term) {
    if (term.FirstChildElement("Input") == nullptr) return "";
    return "; an Input stands directly under Term, where the launcher does not look for it: "
           "move it inside System";
  }

  void DescribeUnusedTerm(const TermReading& reading) {
    const TiXmlElement& term = *reading.element;
    const std::string label = TermLabel(reading.number.value);
    std::string text;
    Severity severity = Severity::kWarning;
    switch (reading.verdict) {
      case TermVerdict::kNoIntegerNumber:
        text = reading.number.attribute == nullptr
                   ? "Term skipped: it has no Number attribute" + AttributeHint(term, "Number")
                   : "Term skipped: its Number " + Quoted(reading.number.attribute->ValueStr()) +
                         " is not an integer";
        break;
      case TermVerdict::kNoSystem:
        text = label + " skipped: it has no System element" + ElementHint(term, "System") +
               MisplacedInputHint(term);
        break;
      case TermVerdict::kSystemWithoutName:
        text = label + " skipped: its System has no Name attribute" +
               AttributeHint(*reading.system, "Name");
        break;
      case TermVerdict::kNoInput:
        text = label + " skipped: its System holds no Input element" +
               ElementHint(*reading.system, "Input") + MisplacedInputHint(term);
        break;
      case TermVerdict::kInputWithoutNameOrNumber:
        text = label + " rejected with a message: its Input has neither Name nor Number" +
               AttributeHint(*reading.input, "Name") + AttributeHint(*reading.input, "Number");
        severity = Severity::kError;
        break;
      case TermVerdict::kStored:
      case TermVerdict::kUnusableClock:
        return;
    }
    Add(PositionOf(term), text, severity);
  }

  MappingReport& report_;
};

}  // namespace

MappingReport ReviewMappingFile(const std::string& path, FileReader& files) {
  MappingReport report;
  Review review(report);
  MessageCollector collector;
  MappingFileReading reading;
  report.loaded =
      LoadTerminalMappings(path, files, collector, report.table, report.settings, &reading);
  report.launcherMessages = collector.messages();
  if (review.ExplainUnread(reading)) return report;

  const TiXmlElement* first = reading.document.FirstChildElement();
  if (reading.root != nullptr) {
    review.ReviewRoot(reading);
  } else if (first == nullptr) {
    review.Add({}, "the file holds no element: the launcher loads nothing and shows no message",
               Severity::kError);
  } else {
    review.Add(PositionOf(*first),
               "the first element is <" + first->ValueStr() +
                   ">, not <TermToInput>: the launcher loads nothing and shows no message" +
                   (EqualIgnoringCase(first->ValueStr(), "TermToInput") ? kCaseNote : ""),
               Severity::kError);
  }
  review.ReviewUnreadText(reading.file.text, reading.readLength);
  if (reading.root != nullptr && !report.loaded) {
    review.Add({},
               std::string("no Term gives the launcher a terminal: it loads nothing") +
                   (report.launcherMessages.empty() ? ", shows no message" : "") +
                   " and never starts the client",
               Severity::kError);
  }
  return report;
}

}  // namespace pos_video
