// Loading the mapping file into the terminal table and the launch settings.
//
// The pieces are public so that the mapping checker reports exactly what the launcher does with a
// file: it parses with ParseMappingText and judges every element with ReadSetting and ReadTerm.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "launcher/platform.h"
#include "mapping/terminal_mapping.h"

class TiXmlDocument;
class TiXmlElement;

namespace pos_video {

// Parses the mapping file's text as the launcher does: the guard's pre-scan, then TinyXML's stream
// input, which reads up to the end of the first top-level element. On failure returns false and
// stores the description that follows "Cmd line configuration document XML error: ". When given,
// `readLength` receives how many characters of `text` the reader took (0 when the guard refused
// the text): whatever lies beyond them is never parsed.
bool ParseMappingText(const std::string& text, TiXmlDocument* document,
                      std::string* errorDescription, std::size_t* readLength = nullptr);

enum class SettingReading { kRead, kAbsent, kNotInteger };

// Reads the integer attribute `name` of `element` into `value` (left alone unless kRead). An
// attribute is an integer when it starts, after optional whitespace and sign, with a digit; what
// follows the digits is ignored ("12px" reads as 12). Values beyond 32 bits saturate.
SettingReading ReadIntegerAttribute(const TiXmlElement& element, const char* name,
                                    std::int32_t* value);

enum class TermVerdict {
  kStored,
  kNoIntegerNumber,
  kNoSystem,
  kSystemWithoutName,
  kNoInput,
  kInputWithoutNameOrNumber,  // The only kind of bad Term the user is told about.
};

struct TermReading {
  TermVerdict verdict = TermVerdict::kNoIntegerNumber;
  std::int32_t number = 0;  // Meaningful unless kNoIntegerNumber.
  TerminalMapping mapping;  // Meaningful when kStored.
};

// Judges one Term element: the camera it names, or why the launcher does not use it.
TermReading ReadTerm(const TiXmlElement& term);

// Reads the mapping file at `path` into `table` and `settings`. Returns true when at least one
// terminal was stored. Problems are shown through `platform` where they are found; a file whose
// first element is not TermToInput, or whose Terms are all incomplete, fails without a message.
bool LoadTerminalMappings(const std::string& path, TerminalMappingTable& table,
                          LaunchSettings& settings, Platform& platform);

// As LoadTerminalMappings, with the file's contents already read; `path` names it in messages.
bool LoadTerminalMappingsFromText(const std::string& text, const std::string& path,
                                  TerminalMappingTable& table, LaunchSettings& settings,
                                  Platform& platform);

}  // namespace pos_video
