#include "checker/name_slips.h"

#include <tinyxml.h>

namespace pos_video {
namespace {

// ASCII only: the file's names are English words, and the locale must not change the answer.
char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

std::string AttributeInOtherCase(const TiXmlElement& element, const std::string& name) {
  for (const TiXmlAttribute* attribute = element.FirstAttribute(); attribute != nullptr;
       attribute = attribute->Next()) {
    if (attribute->NameTStr() != name && EqualIgnoringCase(attribute->NameTStr(), name)) {
      return attribute->NameTStr();
    }
  }
  return "";
}

const TiXmlElement* ChildInOtherCase(const TiXmlElement& parent, const std::string& name) {
  for (const TiXmlElement* child = parent.FirstChildElement(); child != nullptr;
       child = child->NextSiblingElement()) {
    if (child->ValueStr() != name && EqualIgnoringCase(child->ValueStr(), name)) return child;
  }
  return nullptr;
}

std::string CaseHint(const std::string& found) {
  if (found.empty()) return "";
  return " (found " + found + ": names are case-sensitive)";
}

}  // namespace pos_video
