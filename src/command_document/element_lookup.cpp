#include "command_document/element_lookup.h"

#include <tinyxml.h>

namespace pos_video {

TiXmlElement* FindOrAddChild(TiXmlElement& parent, const char* name) {
  if (TiXmlElement* existing = parent.FirstChildElement(name)) return existing;
  auto* child = new TiXmlElement(name);
  parent.LinkEndChild(child);  // The parent owns it from here on.
  return child;
}

TiXmlElement* FindOrAddChildWithAttribute(TiXmlElement& parent, const char* name,
                                          const char* attributeName, const std::string& value) {
  for (TiXmlElement* child = parent.FirstChildElement(name); child != nullptr;
       child = child->NextSiblingElement(name)) {
    const std::string* existing = child->Attribute(std::string(attributeName));
    if (existing != nullptr && *existing == value) return child;
  }
  auto* child = new TiXmlElement(name);
  child->SetAttribute(attributeName, value);
  parent.LinkEndChild(child);
  return child;
}

}  // namespace pos_video
