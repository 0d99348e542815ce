#include "mapping/mapping_loader.h"

#include <tinyxml.h>

#include <istream>
#include <streambuf>

#include "launcher/report_message.h"
#include "launcher/saturated_integer.h"
#include "mapping/mapping_file_reading.h"
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

}  // namespace

bool ParseMappingText(const std::string& text, TiXmlDocument* document,
                      std::string* errorDescription, std::size_t* readLength) {
  if (readLength != nullptr) *readLength = 0;
  if (!CheckMappingText(text, errorDescription)) return false;
  TextStreamBuffer buffer(text);
  std::istream stream(&buffer);
  stream >> *document;
  if (readLength != nullptr) *readLength = buffer.Taken();
  if (!document->Error()) return true;
  *errorDescription = document->ErrorDesc();
  return false;
}

SettingReading ReadIntegerAttribute(const TiXmlElement& element, const char* name,
                                    std::int32_t* value) {
  const char* text = element.Attribute(name);
  if (text == nullptr) return SettingReading::kAbsent;
  std::int32_t read = 0;
  if (!ReadSaturatedInteger(text, &read)) return SettingReading::kNotInteger;
  *value = read;
  return SettingReading::kRead;
}

TermReading ReadTerm(const TiXmlElement& term) {
  TermReading reading;
  if (ReadIntegerAttribute(term, "Number", &reading.number) != SettingReading::kRead) {
    reading.verdict = TermVerdict::kNoIntegerNumber;
    return reading;
  }
  const TiXmlElement* system = term.FirstChildElement("System");
  if (system == nullptr) {
    reading.verdict = TermVerdict::kNoSystem;
    return reading;
  }
  const char* systemName = system->Attribute("Name");
  if (systemName == nullptr) {
    reading.verdict = TermVerdict::kSystemWithoutName;
    return reading;
  }
  const TiXmlElement* input = system->FirstChildElement("Input");
  if (input == nullptr) {
    reading.verdict = TermVerdict::kNoInput;
    return reading;
  }
  const char* inputName = input->Attribute("Name");
  const char* inputNumber = input->Attribute("Number");
  const char* device = input->Attribute("Device");
  if (inputName == nullptr && inputNumber == nullptr) {
    reading.verdict = TermVerdict::kInputWithoutNameOrNumber;
    return reading;
  }
  reading.mapping.systemName = systemName;
  if (inputName != nullptr) reading.mapping.inputName = inputName;
  if (inputNumber != nullptr) reading.mapping.inputNumber = inputNumber;
  if (device != nullptr) reading.mapping.device = device;
  reading.verdict = TermVerdict::kStored;
  return reading;
}

bool LoadTerminalMappingsFromText(const std::string& text, const std::string& path,
                                  TerminalMappingTable& table, LaunchSettings& settings,
                                  Platform& platform) {
  TiXmlDocument document;
  std::string errorDescription;
  if (!ParseMappingText(text, &document, &errorDescription)) {
    ReportMessage(platform, "Cmd line configuration document XML error: %s",
                  errorDescription.c_str());
    return false;
  }
  const TiXmlElement* root = document.FirstChildElement("TermToInput");
  if (root == nullptr) return false;

  ReadIntegerAttribute(*root, "Width", &settings.Width);
  ReadIntegerAttribute(*root, "Height", &settings.Height);
  ReadIntegerAttribute(*root, "Pre", &settings.Pre);
  ReadIntegerAttribute(*root, "Post", &settings.Post);

  bool storedAny = false;
  for (const TiXmlElement* term = root->FirstChildElement("Term"); term != nullptr;
       term = term->NextSiblingElement("Term")) {
    const TermReading reading = ReadTerm(*term);
    if (reading.verdict == TermVerdict::kStored) {
      table[reading.number] = reading.mapping;
      storedAny = true;
    } else if (reading.verdict == TermVerdict::kInputWithoutNameOrNumber) {
      ReportMessage(platform, "Found invalid mapping for Term Number %d in file %s\n",
                    static_cast<int>(reading.number), path.c_str());
    }
  }
  return storedAny;
}

bool LoadTerminalMappings(const std::string& path, TerminalMappingTable& table,
                          LaunchSettings& settings, Platform& platform) {
  // A file that opens but cannot be read (a folder, a failing disk) counts as one that cannot be
  // opened: either way there is nothing to load.
  std::string text;
  std::string failure;
  if (!ReadMappingFile(path, &text, &failure)) {
    ReportMessage(platform, "Could not open file %s\n", path.c_str());
    return false;
  }
  return LoadTerminalMappingsFromText(text, path, table, settings, platform);
}

}  // namespace pos_video
