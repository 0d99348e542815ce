// Attributes that the launcher never reads where they stand, though the integrator surely meant it
// to: a name it reads there but written in another case or misspelt ("Timezone", "TimeZon",
// "Widht"), or one of its settings on an element that does not take it (TimeZone on System).
// Other attributes are left alone: other tools may keep their own notes in the file ("Host",
// "Port", "Note", "Lane").
#pragma once

#include <tinyxml.h>

#include <string>
#include <vector>

#include "mapping/mapping_file_reading.h"

namespace pos_video {

struct AttributeSlip {
  const TiXmlAttribute* attribute = nullptr;
  std::string text;  // The finding's words.
};

// A name that differs from `wanted` in letter case only: the launcher, matching names exactly,
// passes it over, and that is worth pointing at.
bool InOtherCase(const std::string& name, const std::string& wanted);

// The first attribute of `element` whose name is `name` in another case, or null.
const TiXmlAttribute* AttributeInOtherCase(const TiXmlElement& element, const char* name);

// The slips on TermToInput.
std::vector<AttributeSlip> RootAttributeSlips(const TiXmlElement& root);

// The slips on a Term, on its first System and on that System's first Input: where the launcher
// looks for them.
std::vector<AttributeSlip> TermAttributeSlips(const TermReading& term);

}  // namespace pos_video
