// Spotting names written in the wrong letter case. The launcher matches element and attribute
// names exactly, so "number" or <system> is simply not there for it; pointing at the near miss
// saves the integrator a search.
#pragma once

#include <string>

class TiXmlElement;

namespace pos_video {

bool EqualIgnoringCase(const std::string& a, const std::string& b);

// The name of an attribute of `element` that spells `name` in another letter case, or empty.
std::string AttributeInOtherCase(const TiXmlElement& element, const std::string& name);

// The first child element of `parent` whose name spells `name` in another letter case, or null.
const TiXmlElement* ChildInOtherCase(const TiXmlElement& parent, const std::string& name);

// " (found NAME: names are case-sensitive)" for a near miss, empty when there is none.
std::string CaseHint(const std::string& found);

}  // namespace pos_video
