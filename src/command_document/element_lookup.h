// Find-or-add operations on TinyXML elements, for building documents that name each element once.
#pragma once

#include <string>

class TiXmlElement;

namespace pos_video {

// Returns the first child of `parent` named `name`, appending a new one when there is none.
TiXmlElement* FindOrAddChild(TiXmlElement& parent, const char* name);

// Returns the first child of `parent` named `name` whose attribute `attributeName` exists and
// equals `value` byte for byte; when there is none, appends a new child with that attribute.
TiXmlElement* FindOrAddChildWithAttribute(TiXmlElement& parent, const char* name,
                                          const char* attributeName, const std::string& value);

}  // namespace pos_video
