#include "mapping/mapping_loader.h"

#include <istream>
#include <streambuf>
#include <utility>

#include "base/report_message.h"
#include "base/saturated_integer.h"
#include "mapping/mapping_text_guard.h"

namespace pos_video {
namespace {

// Lets the stream reader take the text where it lies: a string stream would first copy the whole
// file, and a mapping file can be tens of megabytes. The buffer only ever reads.
class TextStreamBuffer : public std::streambuf {
 public:
  explicit TextStreamBuffer(const std::string& text) {
    char* begin = const_cast<char*>(text.data());
    setg(begin, begin, begin + text.size());
  }
  std::size_t Taken() const { return static_cast<std::size_t>(gptr() - eback()); }
};

// The guard's pre-scan, then TinyXML's stream input, which reads up to the end of the first
// top-level element. Returns false with `reading.problem` set when nothing could be parsed.
bool ParseMappingText(MappingFileReading& reading) {
  if (!CheckMappingText(reading.file.text, &reading.problem)) {
    reading.refused = true;
    return false;
  }
  TextStreamBuffer buffer(reading.file.text);
  std::istream stream(&buffer);
  stream >> reading.document;
  reading.readLength = buffer.Taken();
  if (!reading.document.Error()) return true;
  reading.xmlError = true;
  reading.problem = reading.document.ErrorDesc();
  return false;
}

TermReading ReadTerm(const TiXmlElement& term) {
  TermReading reading;
  reading.element = &term;
  if (ReadIntegerAttribute(term, "Number", &reading.number) != SettingReading::kRead) {
    reading.verdict = TermVerdict::kNoIntegerNumber;
    return reading;
  }
  const TiXmlElement* system = term.FirstChildElement("System");
  const char* systemName = system != nullptr ? system->Attribute("Name") : nullptr;
  const TiXmlElement* input = system != nullptr ? system->FirstChildElement("Input") : nullptr;
  const char* inputName = input != nullptr ? input->Attribute("Name") : nullptr;
  const char* inputNumber = input != nullptr ? input->Attribute("Number") : nullptr;
  if (system == nullptr) {
    reading.verdict = TermVerdict::kNoSystem;
  } else if (systemName == nullptr) {
    reading.verdict = TermVerdict::kSystemWithoutName;
  } else if (input == nullptr) {
    reading.verdict = TermVerdict::kNoInput;
  } else if (inputName == nullptr && inputNumber == nullptr) {
    reading.verdict = TermVerdict::kInputWithoutNameOrNumber;
  } else {
    const char* device = input->Attribute("Device");
    reading.mapping.systemName = systemName;
    if (inputName != nullptr) reading.mapping.inputName = inputName;
    if (inputNumber != nullptr) reading.mapping.inputNumber = inputNumber;
    if (device != nullptr) reading.mapping.device = device;
    reading.verdict = TermVerdict::kStored;
  }
  return reading;
}

}  // namespace

SettingReading ReadIntegerAttribute(const TiXmlElement& element, const char* name,
                                    std::int32_t* value) {
  const char* text = element.Attribute(name);
  if (text == nullptr) return SettingReading::kAbsent;
  std::int32_t read = 0;
  if (!ReadSaturatedInteger(text, &read)) return SettingReading::kNotInteger;
  *value = read;
  return SettingReading::kRead;
}

bool LoadTerminalMappings(const std::string& path, FileReader& files, MessageSink& messages,
                          TerminalMappingTable& table, LaunchSettings& settings,
                          MappingFileReading* reading) {
  MappingFileReading ownReading;
  MappingFileReading& read = reading != nullptr ? *reading : ownReading;
  // A file that opens but cannot be read (a folder, a failing disk) counts as one that cannot be
  // opened: either way there is nothing to load.
  read.file = files.ReadFile(path, kMaxMappingFileBytes);
  if (!read.file.read) {
    ReportMessage(messages, MessageKind::kMappingFileUnreadable, "Could not open file %s\n",
                  path.c_str());
    return false;
  }
  if (!ParseMappingText(read)) {
    ReportMessage(messages, MessageKind::kMappingFileNotRead,
                  "Cmd line configuration document XML error: %s", read.problem.c_str());
    return false;
  }
  const TiXmlElement* root = read.document.FirstChildElement("TermToInput");
  if (root == nullptr) {
    messages.RecordWarning(
        MessageKind::kNotAMappingFile,
        "Nothing was loaded from " + path +
            ": its first element is not TermToInput. The client was not started.");
    return false;
  }

  ReadIntegerAttribute(*root, "Width", &settings.Width);
  ReadIntegerAttribute(*root, "Height", &settings.Height);
  ReadIntegerAttribute(*root, "Pre", &settings.Pre);
  ReadIntegerAttribute(*root, "Post", &settings.Post);

  bool storedAny = false;
  int invalidTerms = 0;
  for (const TiXmlElement* term = root->FirstChildElement("Term"); term != nullptr;
       term = term->NextSiblingElement("Term")) {
    TermReading termReading = ReadTerm(*term);
    if (termReading.verdict == TermVerdict::kStored) {
      table[termReading.number] = termReading.mapping;
      storedAny = true;
    } else if (termReading.verdict == TermVerdict::kInputWithoutNameOrNumber &&
               ++invalidTerms <= kMaxInvalidTermMessages) {
      ReportMessage(messages, MessageKind::kInvalidTerm,
                    "Found invalid mapping for Term Number %d in file %s\n",
                    static_cast<int>(termReading.number), path.c_str());
    }
    // Only a caller that explains the reading keeps the judgements.
    if (reading != nullptr) reading->terms.push_back(std::move(termReading));
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
  }
  return storedAny;
}

}  // namespace pos_video
