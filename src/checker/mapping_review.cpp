#include "checker/mapping_review.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/ascii_classes.h"
#include "base/launch_constants.h"
#include "checker/attribute_slips.h"
#include "checker/character_columns.h"
#include "checker/escaped_text.h"
#include "checker/zone_findings.h"
#include "launch_sequence/prepare_launch.h"
#include "mapping/mapping_file_reading.h"
#include "mapping/mapping_loader.h"
#include "time_zone/time_zone.h"

namespace pos_video {
namespace {

constexpr std::size_t kExcerptLength = 40;

// Stand-ins for the message box and the document file: what the launcher would show or save is
// kept, so that checking a file never shows a box nor touches the client's command document.
class Collector : public MessageSink, public FileSaver {
 public:
  void ShowMessage(MessageKind, const std::string& text) override { messages.push_back(text); }
  Outcome SaveFile(const std::string&, const std::string& text) override {
    document = text;
    return {true, ""};
  }
  std::vector<std::string> messages;
  std::string document;
};

std::string TermLabel(std::int32_t number) { return "Term for terminal " + std::to_string(number); }

std::string CaseHint(const std::string& found) {
  return " (found " + found + ": names are case-sensitive)";
}

std::string AttributeHint(const TiXmlElement& element, const char* name) {
  const TiXmlAttribute* nearMiss = AttributeInOtherCase(element, name);
  return nearMiss == nullptr ? "" : CaseHint(nearMiss->NameTStr());
}

std::string ElementHint(const TiXmlElement& parent, const char* name) {
  for (const TiXmlElement* child = parent.FirstChildElement(); child != nullptr;
       child = child->NextSiblingElement()) {
    if (InOtherCase(child->ValueStr(), name)) return CaseHint("<" + child->ValueStr() + ">");
  }
  return "";
}

std::string CaseNote(const std::string& name, const char* wanted) {
  return InOtherCase(name, wanted) ? " (names are case-sensitive)" : "";
}

// The start of `text` for quoting in a finding: its first line, cut short when long.
std::string Excerpt(const std::string& text) {
  std::size_t start = 0;
  while (start < text.size() && IsAsciiWhitespace(text[start])) ++start;
  std::size_t end = text.find_first_of("\r\n", start);
  if (end == std::string::npos) end = text.size();
  std::string line = text.substr(start, end - start);
  while (end < text.size() && IsAsciiWhitespace(text[end])) ++end;
  if (line.size() > kExcerptLength) {
    line.resize(kExcerptLength);
    line += "...";
  } else if (end < text.size()) {
    line += " ...";
  }
  return Quoted(line);
}

// Whether `text` holds a start tag of a Term element.
bool HoldsTermElement(const std::string& text) {
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

// The most common slip in hand-written files: the launcher looks for Input only inside System.
std::string MisplacedInputHint(const TiXmlElement& term) {
  if (term.FirstChildElement("Input") == nullptr) return "";
  return "; an Input stands directly under Term, where the launcher does not look for it: "
         "move it inside System";
}

class Review {
 public:
  Review(MappingReport& report, const CharacterColumns& columns)
      : report_(report), columns_(columns) {}

  TextPosition PositionOf(const TiXmlBase& node) const { return columns_.Of(node); }

  void Add(FindingKind kind, TextPosition position, std::string text,
           Severity severity = Severity::kWarning) {
    report_.findings.push_back({position, severity, std::move(text), kind});
  }

  // Why the loader could not read the file at all, if so.
  bool ExplainUnread(const MappingFileReading& reading) {
    if (reading.ending == MessageKind::kMappingFileUnreadable) {
      Add(FindingKind::kFileUnreadable, {}, "cannot read the file: " + reading.file.failure,
          Severity::kError);
    } else if (reading.ending != MessageKind::kMappingFileNotRead) {
      return false;
    } else if (reading.refused) {
      Add(FindingKind::kFileRefused, {},
          "the launcher refuses the file before parsing it: " + reading.problem, Severity::kError);
    } else {
      const TiXmlDocument& document = reading.document;
      Add(FindingKind::kNotParsed,
          document.ErrorRow() > 0 ? columns_.FromReader(document.ErrorRow(), document.ErrorCol())
                                  : TextPosition{},
          "the launcher cannot parse the file: " + reading.problem, Severity::kError);
    }
    return true;
  }

  void ReviewRoot(const MappingFileReading& reading) {
    const TiXmlElement& root = *reading.root;
    const LaunchSettings defaults;
    for (std::size_t i = 0; i < kIntegerSettings.size(); ++i) {
      const IntegerSetting& setting = kIntegerSettings[i];
      ReviewSetting(root, setting, reading.settings[i], defaults.*setting.member);
    }
    ReviewRootClock(reading.clock);
    AddSlips(RootAttributeSlips(root));
    // The loader stopped before the Terms: the root's fault is all there is to say.
    if (!reading.clock.Usable()) return;
    // The loader judged the Terms in file order; the other children are the checker's own.
    for (const TermReading& term : reading.terms) {
      if (term.verdict == TermVerdict::kStored) keptTerms_[term.number.value] = term.element;
    }
    auto term = reading.terms.begin();
    for (const TiXmlNode* child = root.FirstChild(); child != nullptr;
         child = child->NextSibling()) {
      if (const TiXmlElement* element = child->ToElement()) {
        if (term != reading.terms.end() && term->element == element) {
          ReviewTerm(*term);
          AddSlips(TermAttributeSlips(*term++));
        } else {
          Add(FindingKind::kElementIgnored, PositionOf(*element),
              "<" + element->ValueStr() +
                  "> inside TermToInput is ignored: the launcher reads only Term elements there" +
                  CaseNote(element->ValueStr(), "Term"));
        }
      } else if (const TiXmlText* text = child->ToText()) {
        Add(FindingKind::kTextIgnored, PositionOf(*text),
            "text inside TermToInput is ignored: " + Excerpt(text->ValueStr()));
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
    const char* hint = tail.find("<TermToInput") != std::string::npos
                           ? "; a TermToInput here is never read"
                       : HoldsTermElement(tail) ? "; Terms belong inside TermToInput"
                                                : "";
    Add(FindingKind::kTextNeverRead, columns_.AtOffset(at),
        "the launcher stops reading at the end of the first element and never reads this: " +
            Excerpt(tail) + hint);
  }

 private:
  void AddSlips(const std::vector<AttributeSlip>& slips) {
    for (const AttributeSlip& slip : slips)
      Add(FindingKind::kAttributeNotRead, PositionOf(*slip.attribute), slip.text);
  }

  void ReviewSetting(const TiXmlElement& root, const IntegerSetting& integer,
                     const IntegerAttribute& read, std::int32_t defaultValue) {
    const char* name = integer.name;
    const SettingMeasure measure = integer.measure;
    SettingReport setting{name, defaultValue, "default: not in the file"};
    const std::string text = read.attribute != nullptr ? read.attribute->ValueStr() : "";
    const std::string written = std::string(name) + " " + Quoted(text);
    const std::string keepsDefault =
        ": the launcher keeps the default " + std::to_string(defaultValue);
    if (read.reading == SettingReading::kRead) {
      setting = {name, read.value, FromTheFile(read)};
      ReviewDigits(read, written);
      ReviewRange(read, measure, written);
    } else if (read.reading == SettingReading::kNotInteger) {
      setting.source = "default: " + Quoted(text) + " is not an integer";
      Add(FindingKind::kSettingNotInteger, PositionOf(*read.attribute),
          written + " is not an integer" + keepsDefault);
    } else if (const TiXmlAttribute* nearMiss = AttributeInOtherCase(root, name)) {
      Add(FindingKind::kAttributeNotRead, PositionOf(*nearMiss),
          nearMiss->NameTStr() + " is not " + name + keepsDefault + CaseHint(nearMiss->NameTStr()));
    }
    report_.settingReports.push_back(setting);
  }

  static std::string FromTheFile(const IntegerAttribute& read) {
    const std::string& text = read.attribute->ValueStr();
    return "from the file" +
           (text == std::to_string(read.value) ? "" : " (written " + Quoted(text) + ")");
  }

  // Values the launcher reads as written, but which hardly say what an integrator meant.
  void ReviewRange(const IntegerAttribute& read, SettingMeasure measure,
                   const std::string& written) {
    const std::int64_t value = read.value;
    const bool pre = measure == SettingMeasure::kSecondsBefore;
    std::string problem;
    if (measure == SettingMeasure::kWindowSize) {
      if (value <= 0) problem = " is not positive: the client's window gets no size from it";
    } else if (value < 0) {
      problem = std::string(" is negative: the search ") + (pre ? "starts " : "ends ") +
                std::to_string(-value) + " s " + (pre ? "after" : "before") + " the transaction";
    } else if (value > kSecondsPerDay) {
      problem = " is longer than a day: the launcher searches " + std::to_string(value) + " s " +
                (pre ? "before" : "after") + " the transaction";
    }
    if (!problem.empty())
      Add(FindingKind::kUnlikelyValue, PositionOf(*read.attribute), written + problem);
  }

  // "640px", "1e3", "0x8": the launcher reads the digits and drops the rest without a word.
  void ReviewDigits(const IntegerAttribute& read, const std::string& written) {
    if (!read.textAfterDigits) return;
    Add(FindingKind::kTextAfterDigits, PositionOf(*read.attribute),
        written + " has text after its digits: the launcher reads " + std::to_string(read.value));
  }

  void ReviewRootClock(const ClockAttributes& clock) {
    if (clock.timeZone != nullptr) {
      report_.timeZone = clock.timeZone->ValueStr();
      report_.timeZoneUsable = clock.timeZoneUsable;
    }
    const IntegerAttribute& offset = clock.clockOffset;
    if (offset.attribute != nullptr) {
      report_.settingReports.push_back(
          {"ClockOffset", offset.value,
           clock.clockOffsetUsable ? FromTheFile(offset)
                                   : "cannot be used: " + Quoted(offset.attribute->ValueStr())});
    }
    ReviewClock(clock, "", "the launcher shows a message and loads nothing");
  }

  // The TimeZone and ClockOffset of the root or of a Term (`owner` then names it).
  void ReviewClock(const ClockAttributes& clock, const std::string& owner,
                   const char* consequence) {
    const std::string zone = clock.timeZone == nullptr ? "" : clock.timeZone->ValueStr();
    if (!clock.timeZoneUsable) {
      Add(FindingKind::kClockUnusable, PositionOf(*clock.timeZone),
          owner + "TimeZone " + Quoted(zone) + RefusedZoneFinding(zone, consequence),
          Severity::kError);
    } else {
      const std::string written = owner + "TimeZone " + Quoted(zone);
      for (const std::string& warning : ZoneWarnings(zone)) {
        Add(FindingKind::kZoneMayMeanOther, PositionOf(*clock.timeZone), written + warning);
      }
    }
    const IntegerAttribute& offset = clock.clockOffset;
    if (offset.attribute == nullptr) return;
    const std::string written = owner + "ClockOffset " + Quoted(offset.attribute->ValueStr());
    if (clock.clockOffsetUsable) {
      ReviewDigits(offset, written);
    } else {
      Add(FindingKind::kClockUnusable, PositionOf(*offset.attribute),
          written + " is not a whole number of seconds within a day: " + consequence,
          Severity::kError);
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
    const auto control = std::find_if(value.begin(), value.end(), [](char c) {
      return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (control == value.end()) return;
    Add(FindingKind::kControlCharacter, PositionOf(*attribute),
        where + (nul != std::string::npos
                     ? " holds a reference to the character 0, which ends it: the launcher uses " +
                           Quoted(value.substr(0, nul))
                     : " holds the control character " +
                           std::to_string(static_cast<unsigned char>(*control)) +
                           ", which the client receives as it is"));
  }

  void ReviewTerm(const TermReading& reading) {
    const TiXmlElement& term = *reading.element;
    const TextPosition here = PositionOf(term);
    const std::int32_t number = reading.number.value;
    if (reading.verdict != TermVerdict::kNoIntegerNumber) {
      ReviewDigits(reading.number, "Term Number " + Quoted(reading.number.attribute->ValueStr()));
    }
    if (reading.verdict == TermVerdict::kUnusableClock) {
      ReviewClock(reading.clock, TermLabel(number) + " rejected with a message: its ",
                  "the launcher shows a message and skips the Term");
      return;
    }
    if (reading.verdict != TermVerdict::kStored) {
      DescribeUnusedTerm(reading);
      return;
    }
    ReviewClock(reading.clock, TermLabel(number) + ": its ", "");
    ReviewValue(*reading.system, "Name", number);
    for (const char* attribute : {"Name", "Number", "Device"}) {
      ReviewValue(*reading.input, attribute, number);
    }
    // Only the Term that the table keeps gives the client its camera.
    const TerminalMapping& stored = report_.table.at(number);
    if (keptTerms_[number] == &term && CameraAttributes(stored).front().second.empty()) {
      Add(FindingKind::kNoCamera, PositionOf(*reading.input),
          TermLabel(number) +
              ": its Input names no camera (neither Name nor Number has a value): the client is "
              "started with Input Number \"\"");
    }
    const auto [earlier, first] = report_.termPositions.emplace(number, here);
    if (first) return;
    Add(FindingKind::kTermReplaced, here,
        TermLabel(number) + " replaces the one at line " + std::to_string(earlier->second.line) +
            ", column " + std::to_string(earlier->second.column) + ": the later Term wins, whole");
    earlier->second = here;
  }

  void DescribeUnusedTerm(const TermReading& reading) {
    const TiXmlElement& term = *reading.element;
    const TiXmlAttribute* number = reading.number.attribute;
    std::string text = TermLabel(reading.number.value);
    switch (reading.verdict) {
      case TermVerdict::kNoIntegerNumber:
        text =
            number == nullptr
                ? "Term skipped: it has no Number attribute" + AttributeHint(term, "Number")
                : "Term skipped: its Number " + Quoted(number->ValueStr()) + " is not an integer";
        break;
      case TermVerdict::kNoSystem:
        text += " skipped: it has no System element" + ElementHint(term, "System") +
                MisplacedInputHint(term);
        break;
      case TermVerdict::kSystemWithoutName:
        text +=
            " skipped: its System has no Name attribute" + AttributeHint(*reading.system, "Name");
        break;
      case TermVerdict::kNoInput:
        text += " skipped: its System holds no Input element" +
                ElementHint(*reading.system, "Input") + MisplacedInputHint(term);
        break;
      case TermVerdict::kStored:
      case TermVerdict::kUnusableClock:
        return;
      case TermVerdict::kInputWithoutNameOrNumber:
        return Add(FindingKind::kTermRejected, PositionOf(term),
                   text + " rejected with a message: its Input has neither Name nor Number" +
                       AttributeHint(*reading.input, "Name") +
                       AttributeHint(*reading.input, "Number"),
                   Severity::kError);
    }
    Add(FindingKind::kTermSkipped, PositionOf(term), text);
  }

  MappingReport& report_;
  const CharacterColumns& columns_;
  // For each terminal, the last stored Term: the one whose camera the table holds.
  std::map<std::int32_t, const TiXmlElement*> keptTerms_;
};

}  // namespace

MappingReport ReviewMappingFile(const std::string& path, const FileText& file) {
  MappingReport report;
  Collector collector;
  MappingFileReading reading;
  report.loaded = LoadMappingText(path, file, collector, &report.table, &report.settings, &reading);
  report.launcherMessages = collector.messages;
  const CharacterColumns columns(reading.file.text, reading.document);
  Review review(report, columns);
  if (review.ExplainUnread(reading)) return report;

  const TiXmlElement* first = reading.document.FirstChildElement();
  if (reading.root != nullptr) {
    review.ReviewRoot(reading);
  } else if (first == nullptr) {
    review.Add(FindingKind::kNoElement, {},
               "the file holds no element: the launcher loads nothing and shows no message",
               Severity::kError);
  } else {
    review.Add(FindingKind::kWrongRoot, review.PositionOf(*first),
               "the first element is <" + first->ValueStr() +
                   ">, not <TermToInput>: the launcher loads nothing and shows no message" +
                   CaseNote(first->ValueStr(), "TermToInput"),
               Severity::kError);
  }
  review.ReviewUnreadText(reading.file.text, reading.readLength);
  // Nothing loaded because of the Terms themselves; a root that stops the loader says so itself.
  if (reading.ending == MessageKind::kNothingLoaded ||
      reading.ending == MessageKind::kInvalidTerm ||
      (reading.ending == MessageKind::kTimeSettingUnusable && reading.clock.Usable())) {
    review.Add(FindingKind::kNothingLoaded, {},
               std::string("no Term gives the launcher a terminal: it loads nothing") +
                   (report.launcherMessages.empty() ? ", shows no message" : "") +
                   " and never starts the client",
               Severity::kError);
  }
  return report;
}

LaunchPreview PreviewLaunch(const std::string& path, const FileText& file,
                            const LaunchRequest& request, std::int64_t currentTime) {
  Collector collector;
  const PreparedLaunch launch = PrepareLaunch(
      request, currentTime,
      [&](MessageSink& messages, TerminalMappingTable* table, LaunchSettings* settings) {
        return LoadMappingText(path, file, messages, table, settings);
      },
      kCommandDocumentPath, PointerOnScreen{}, collector, collector);
  LaunchPreview preview;
  preview.terminal = request.terminal;
  preview.messages = collector.messages;
  preview.document = collector.document;
  preview.documentWritten = launch.documentWritten;
  if (!launch.pcSearchTime) return preview;
  const std::optional<WrittenTime>& time = launch.pcSearchTime->time;
  const TerminalClock& clock = launch.clock;
  // A usable zone that never uses the time's abbreviation leaves the time unread.
  if (!launch.storeTime && time && !time->abbreviation.empty() && FindTimeZone(clock.timeZone)) {
    return preview;
  }
  preview.searchTime =
      launch.storeTime ? launch.storeTime->searchTime : launch.pcSearchTime->seconds;
  if (launch.storeTime && time &&
      (time->utcOffset || !clock.timeZone.empty() || clock.clockOffset != 0)) {
    preview.conversion = ClockConversion{time->wallClock,
                                         clock.timeZone,
                                         launch.storeTime->zone,
                                         clock.clockOffset,
                                         *preview.searchTime - launch.settings.Pre,
                                         *preview.searchTime + launch.settings.Post,
                                         time->utcOffset,
                                         launch.storeTime->atAbbreviation};
  }
  return preview;
}

}  // namespace pos_video
