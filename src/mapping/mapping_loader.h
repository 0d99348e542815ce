// Loading the mapping file into the terminal table and the launch settings.
//
// The loader decides what the launcher does with a file. How it read the file (the parsed
// document, how far the reader got, its judgement of each Term) is handed to a caller that asks
// for it, so that the mapping checker explains exactly that reading instead of making its own.
#pragma once

#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/platform.h"
#include "mapping/terminal_mapping.h"

namespace pos_video {

// Invalid Terms each get a box of their own up to this many; the rest are counted in one more.
constexpr int kMaxInvalidTermMessages = 10;

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

// The loader's judgement of one Term element.
struct TermReading {
  const TiXmlElement* element = nullptr;  // Where it stands: Row() and Column() of the file.
  TermVerdict verdict = TermVerdict::kNoIntegerNumber;
  std::int32_t number = 0;  // Meaningful unless kNoIntegerNumber.
  TerminalMapping mapping;  // Meaningful when kStored.
};

// Everything the loader saw of one mapping file.
struct MappingFileReading {
  FileText file;
  // Set when the pre-scan kept the text from the XML reader; `problem` says why.
  bool refused = false;
  // Set when the text was parsed with an error; `problem` is the reader's description.
  bool xmlError = false;
  std::string problem;
  // How many characters of the text the XML reader took: nothing after them is read.
  std::size_t readLength = 0;
  TiXmlDocument document;
  // Every Term element directly under TermToInput, in file order.
  std::vector<TermReading> terms;
};

// Reads the mapping file at `path` through `files` into `table` and `settings`. Returns true when
// at least one terminal was stored. Problems are shown through `messages` where they are found; a
// file whose first element is not TermToInput, or whose Terms are all incomplete, fails without a
// message. When `reading` is given, it receives how the file was read.
bool LoadTerminalMappings(const std::string& path, FileReader& files, MessageSink& messages,
                          TerminalMappingTable& table, LaunchSettings& settings,
                          MappingFileReading* reading = nullptr);

}  // namespace pos_video
