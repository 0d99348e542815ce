#include "mapping/mapping_loader.h"

#include <istream>
#include <utility>

#include "base/ascii_classes.h"
#include "base/report_message.h"
#include "base/saturated_integer.h"
#include "base/wall_clock.h"
#include "mapping/mapping_file_reading.h"
#include "mapping/mapping_text_guard.h"
#include "mapping/text_stream_buffer.h"
#include "time_zone/time_zone.h"

namespace pos_video {
namespace {

// The attribute names the loader reads besides the integer settings.
constexpr const char* kTimeZone = "TimeZone";
constexpr const char* kClockOffset = "ClockOffset";
constexpr const char* kNumber = "Number";
constexpr const char* kName = "Name";
constexpr const char* kDevice = "Device";

// TinyXML's stream input reads up to the end of the first top-level element, collecting the
// characters one call at a time, and then parses what it collected. When the pre-scan knows where
// the reader stops, the text up to there is parsed where it lies instead: the same document
// (fuzz/reader_walk_fuzz.cpp checks both) at about half the cost. The parser reads up to a NUL, so
// one stands in for the first unread character meanwhile (the text read holds none of its own,
// or the pre-scan would have refused it).
void ParseAsTheStreamReaderDoes(MappingFileReading* reading) {
  std::string& text = reading->file.text;
  if (reading->readLength != std::string::npos) {
    const char unread = text[reading->readLength];
    text[reading->readLength] = '\0';
    reading->document.Parse(text.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    text[reading->readLength] = unread;
    return;
  }
  TextStreamBuffer buffer(text);
  std::istream stream(&buffer);
  stream >> reading->document;
  reading->readLength = buffer.Taken();
}

// The guard's pre-scan, then the parse. Returns false with `reading.problem` set when nothing
// could be parsed.
bool ParseMappingText(MappingFileReading* reading) {
  if (!CheckMappingText(reading->file.text, &reading->problem, &reading->readLength)) {
    reading->refused = true;
    return false;
  }
  ParseAsTheStreamReaderDoes(reading);
  if (!reading->document.Error()) return true;
  reading->xmlError = true;
  reading->problem = reading->document.ErrorDesc();
  return false;
}

IntegerAttribute ReadIntegerAttribute(const TiXmlElement& element, const char* name) {
  IntegerAttribute read;
  read.attribute = FindAttribute(element, name);
  if (read.attribute == nullptr) return read;
  const char* end = nullptr;
  if (!ReadSaturatedInteger(read.attribute->Value(), &read.value, &end)) {
    read.reading = SettingReading::kNotInteger;
    return read;
  }
  read.reading = SettingReading::kRead;
  read.textAfterDigits = *SkipAsciiWhitespace(end) != '\0';
  return read;
}

// The last TimeZone value looked up, and whether it names a zone. The Terms of a store mostly
// repeat one value, and finding a zone by a rule or a Windows name costs more than the rest of a
// Term. Empty at first, which names no zone.
struct ZoneLookup {
  std::string value;
  bool found = false;
};

bool NamesAZone(const std::string& value, ZoneLookup* last) {
  if (value != last->value) *last = {value, FindTimeZone(value).has_value()};
  return last->found;
}

ClockAttributes ReadClockAttributes(const TiXmlElement& element, ZoneLookup* lastZone) {
  ClockAttributes clock;
  clock.timeZone = FindAttribute(element, kTimeZone);
  clock.timeZoneUsable =
      clock.timeZone == nullptr || NamesAZone(clock.timeZone->ValueStr(), lastZone);
  clock.clockOffset = ReadIntegerAttribute(element, kClockOffset);
  const IntegerAttribute& offset = clock.clockOffset;
  // An offset beyond a day either way is a slip, not a clock that drifted.
  clock.clockOffsetUsable = offset.reading == SettingReading::kAbsent ||
                            (offset.reading == SettingReading::kRead &&
                             offset.value >= -kSecondsPerDay && offset.value <= kSecondsPerDay);
  return clock;
}

TermReading ReadTerm(const TiXmlElement& term, ZoneLookup* lastZone) {
  TermReading reading;
  reading.element = &term;
  reading.number = ReadIntegerAttribute(term, kNumber);
  if (reading.number.reading != SettingReading::kRead) {
    reading.verdict = TermVerdict::kNoIntegerNumber;
    return reading;
  }
  reading.system = term.FirstChildElement("System");
  if (reading.system == nullptr) {
    reading.verdict = TermVerdict::kNoSystem;
    return reading;
  }
  reading.input = reading.system->FirstChildElement("Input");
  if (reading.system->Attribute(kName) == nullptr) {
    reading.verdict = TermVerdict::kSystemWithoutName;
  } else if (reading.input == nullptr) {
    reading.verdict = TermVerdict::kNoInput;
  } else if (reading.input->Attribute(kName) == nullptr &&
             reading.input->Attribute(kNumber) == nullptr) {
    reading.verdict = TermVerdict::kInputWithoutNameOrNumber;
  } else {
    reading.clock = ReadClockAttributes(term, lastZone);
    reading.verdict = reading.clock.Usable() ? TermVerdict::kStored : TermVerdict::kUnusableClock;
  }
  return reading;
}

// Says which value of `clock` cannot be used, the TimeZone first; `owner` names its Term, if any.
void ReportUnusableClock(MessageSink& messages, const ClockAttributes& clock,
                         const std::string& owner, const std::string& path) {
  if (!clock.timeZoneUsable) {
    ReportMessage(messages, MessageKind::kTimeSettingUnusable,
                  "TimeZone \"%s\"%s in file %s is not a time zone.", clock.timeZone->Value(),
                  owner.c_str(), path.c_str());
  } else {
    ReportMessage(messages, MessageKind::kTimeSettingUnusable,
                  "ClockOffset \"%s\"%s in file %s is not a whole number of seconds within a day.",
                  clock.clockOffset.attribute->Value(), owner.c_str(), path.c_str());
  }
}

// Says why a Term whose Input or clock is unusable was skipped; returns the kind of the message.
MessageKind ReportSkippedTerm(MessageSink& messages, const TermReading& term,
                              const std::string& path) {
  if (term.verdict == TermVerdict::kInputWithoutNameOrNumber) {
    ReportMessage(messages, MessageKind::kInvalidTerm,
                  "Found invalid mapping for Term Number %d in file %s\n",
                  static_cast<int>(term.number.value), path.c_str());
    return MessageKind::kInvalidTerm;
  }
  ReportUnusableClock(messages, term.clock, " of Term Number " + std::to_string(term.number.value),
                      path);
  return MessageKind::kTimeSettingUnusable;
}

// The camera of a stored Term, each text built once, straight from the parsed attribute.
TerminalMapping MappingOf(const TermReading& reading) {
  const auto text = [](const TiXmlElement& element, const char* name) {
    const char* value = element.Attribute(name);
    return value != nullptr ? std::string(value) : std::string();
  };
  TerminalMapping mapping{text(*reading.system, kName), text(*reading.input, kName),
                          text(*reading.input, kNumber), text(*reading.input, kDevice)};
  if (reading.clock.timeZone != nullptr) mapping.timeZone = reading.clock.timeZone->ValueStr();
  if (reading.clock.clockOffset.attribute != nullptr) {
    mapping.clockOffset = reading.clock.clockOffset.value;
  }
  return mapping;
}

void ReadSettings(MappingFileReading* read, LaunchSettings* settings) {
  for (std::size_t i = 0; i < kIntegerSettings.size(); ++i) {
    const IntegerSetting& setting = kIntegerSettings[i];
    read->settings[i] = ReadIntegerAttribute(*read->root, setting.name);
    if (read->settings[i].reading == SettingReading::kRead) {
      settings->*setting.member = read->settings[i].value;
    }
  }
  ZoneLookup rootZone;
  read->clock = ReadClockAttributes(*read->root, &rootZone);
  if (read->clock.timeZone != nullptr) settings->TimeZoneName = read->clock.timeZone->ValueStr();
  settings->ClockOffset = read->clock.clockOffset.value;
}

}  // namespace

const std::vector<ElementAttributes>& AttributesReadByElement() {
  static const std::vector<ElementAttributes> elements = [] {
    std::vector<const char*> root;
    root.reserve(kIntegerSettings.size() + 2);
    for (const IntegerSetting& setting : kIntegerSettings) root.push_back(setting.name);
    root.insert(root.end(), {kTimeZone, kClockOffset});
    return std::vector<ElementAttributes>{{"TermToInput", root},
                                          {"Term", {kNumber, kTimeZone, kClockOffset}},
                                          {"System", {kName}},
                                          {"Input", {kName, kNumber, kDevice}}};
  }();
  return elements;
}

const TiXmlAttribute* FindAttribute(const TiXmlElement& element, const char* name) {
  for (const TiXmlAttribute* attribute = element.FirstAttribute(); attribute != nullptr;
       attribute = attribute->Next()) {
    if (attribute->NameTStr() == name) return attribute;
  }
  return nullptr;
}

FileText ReadMappingFile(const std::string& path, FileReader& files) {
  return files.ReadFile(path, kMaxMappingFileBytes);
}

bool LoadTerminalMappings(const std::string& path, FileReader& files, MessageSink& messages,
                          TerminalMappingTable* table, LaunchSettings* settings,
                          MappingFileReading* reading) {
  return LoadMappingText(path, ReadMappingFile(path, files), messages, table, settings, reading);
}

bool LoadMappingText(const std::string& path, FileText file, MessageSink& messages,
                     TerminalMappingTable* table, LaunchSettings* settings,
                     MappingFileReading* reading) {
  MappingFileReading ownReading;
  MappingFileReading& read = reading != nullptr ? *reading : ownReading;
  // A file that opens but cannot be read (a folder, a failing disk) counts as one that cannot be
  // opened: either way there is nothing to load.
  read.file = std::move(file);
  if (!read.file.done) {
    ReportMessage(messages, MessageKind::kMappingFileUnreadable, "Could not open file %s\n",
                  path.c_str());
    read.ending = MessageKind::kMappingFileUnreadable;
    return false;
  }
  if (!ParseMappingText(&read)) {
    ReportMessage(messages, MessageKind::kMappingFileNotRead,
                  "Cmd line configuration document XML error: %s", read.problem.c_str());
    read.ending = MessageKind::kMappingFileNotRead;
    return false;
  }
  read.root = read.document.FirstChildElement("TermToInput");
  if (read.root == nullptr) {
    messages.RecordWarning(MessageKind::kNotAMappingFile,
                           "Nothing was loaded from " + path +
                               ": its first element is not TermToInput. The client was not "
                               "started.");
    read.ending = MessageKind::kNotAMappingFile;
    return false;
  }
  ReadSettings(&read, settings);
  // Every terminal's time would be read in a wrong zone or on a wrong clock.
  if (!read.clock.Usable()) {
    ReportUnusableClock(messages, read.clock, "", path);
    read.ending = MessageKind::kTimeSettingUnusable;
    return false;
  }

  bool storedAny = false;
  int invalidTerms = 0;
  MessageKind firstBox = MessageKind::kInvalidTerm;  // Of the first skipped Term's message.
  ZoneLookup lastZone;
  for (const TiXmlElement* term = read.root->FirstChildElement("Term"); term != nullptr;
       term = term->NextSiblingElement("Term")) {
    TermReading termReading = ReadTerm(*term, &lastZone);
    if (termReading.verdict == TermVerdict::kStored) {
      table->insert_or_assign(termReading.number.value, MappingOf(termReading));
      storedAny = true;
    } else if (termReading.verdict == TermVerdict::kInputWithoutNameOrNumber ||
               termReading.verdict == TermVerdict::kUnusableClock) {
      if (++invalidTerms <= kMaxInvalidTermMessages) {
        const MessageKind shown = ReportSkippedTerm(messages, termReading, path);
        if (invalidTerms == 1) firstBox = shown;
      }
    }
    // Only a caller that explains the reading keeps the judgements.
    if (reading != nullptr) reading->terms.push_back(termReading);
  }
  // Each box must be dismissed before the client starts: past a few, one count says the rest.
  const int unshown = invalidTerms - kMaxInvalidTermMessages;
  if (unshown > 0) {
    ReportMessage(messages, MessageKind::kMoreInvalidTerms,
                  "%d more %s skipped for an invalid mapping in file %s\n", unshown,
                  unshown == 1 ? "Term" : "Terms", path.c_str());
  }
  if (!storedAny && invalidTerms == 0) {
    messages.RecordWarning(MessageKind::kNothingLoaded,
                           "Nothing was loaded from " + path +
                               ": no Term in it maps a terminal to a camera. The client was not "
                               "started.");
    read.ending = MessageKind::kNothingLoaded;
  } else if (!storedAny) {
    // Every Term was skipped, each with its box: the first says why.
    read.ending = firstBox;
  }
  return storedAny;
}

}  // namespace pos_video
