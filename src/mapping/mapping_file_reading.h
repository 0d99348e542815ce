// How the loader read a mapping file: the parsed document, how far the reader got, each setting
// as written and each Term's elements and verdict. The loader fills it for a caller that asks, so
// that the mapping checker explains exactly that reading instead of making its own.
#pragma once

#include <tinyxml.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/platform.h"
#include "mapping/terminal_mapping.h"

namespace pos_video {

enum class SettingReading { kRead, kAbsent, kNotInteger };

// One integer attribute as the loader read it. An attribute is an integer when it starts, after
// optional whitespace and sign, with a digit; what follows the digits is ignored ("12px" reads as
// 12). Values beyond 32 bits saturate.
struct IntegerAttribute {
  const TiXmlAttribute* attribute = nullptr;  // Null when absent: the text and its place.
  SettingReading reading = SettingReading::kAbsent;
  std::int32_t value = 0;        // Meaningful when kRead.
  bool textAfterDigits = false;  // When kRead: something other than blanks followed the digits.
};

// The attribute `name` of `element`, or null.
const TiXmlAttribute* FindAttribute(const TiXmlElement& element, const char* name);

// A TimeZone and a ClockOffset as the loader read them, on TermToInput or on a Term. An absent
// attribute is usable: it leaves the time as it is.
struct ClockAttributes {
  const TiXmlAttribute* timeZone = nullptr;  // Null when absent.
  bool timeZoneUsable = true;                // A tzdata name or a POSIX TZ rule.
  IntegerAttribute clockOffset;
  bool clockOffsetUsable = true;  // An integer within a day (kSecondsPerDay) either way.

  bool Usable() const { return timeZoneUsable && clockOffsetUsable; }
};

// The attributes the loader reads on one element, in the order that settles a tie between near
// misses.
struct ElementAttributes {
  const char* element;
  std::vector<const char*> names;
};

// Every element the loader reads attributes of, TermToInput first (its integer settings, then its
// clock), then Term, System and Input: the names the loader itself reads with.
const std::vector<ElementAttributes>& AttributesReadByElement();

// The kinds of bad Term the user is told about are the last two.
enum class TermVerdict {
  kStored,
  kNoIntegerNumber,
  kNoSystem,
  kSystemWithoutName,
  kNoInput,
  kInputWithoutNameOrNumber,
  kUnusableClock,  // A whole Term whose TimeZone or ClockOffset cannot be used.
};

// The loader's judgement of one Term element.
struct TermReading {
  const TiXmlElement* element = nullptr;  // Where it stands: Row() and Column() of the file.
  TermVerdict verdict = TermVerdict::kNoIntegerNumber;
  IntegerAttribute number;
  const TiXmlElement* system = nullptr;  // The first System, when the Term has one.
  const TiXmlElement* input = nullptr;   // The first Input of that System, when it has one.
  ClockAttributes clock;                 // Read only for a Term that is otherwise whole.
};

// Everything the loader saw of one mapping file.
struct MappingFileReading {
  // How the loader ended: none when it loaded a terminal, else the kind of the message, shown or
  // only recorded, that says why it loaded nothing: when every Term was skipped, each with its
  // box, the first box's (kInvalidTerm, or kTimeSettingUnusable for a Term's clock).
  std::optional<MessageKind> ending;
  FileText file;
  // Set when the pre-scan kept the text from the XML reader; `problem` says why.
  bool refused = false;
  // Set when the text was parsed with an error; `problem` is the reader's description.
  bool xmlError = false;
  std::string problem;
  // How many characters of the text the XML reader took: nothing after them is read.
  std::size_t readLength = 0;
  TiXmlDocument document;
  // The first element when it is TermToInput, the only case in which anything is read.
  const TiXmlElement* root = nullptr;
  // Each of kIntegerSettings, as read from the root.
  std::array<IntegerAttribute, kIntegerSettings.size()> settings;
  ClockAttributes clock;
  // Every Term element directly under TermToInput, in file order.
  std::vector<TermReading> terms;
};

}  // namespace pos_video
