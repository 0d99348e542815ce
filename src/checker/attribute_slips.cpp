#include "checker/attribute_slips.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <limits>

#include "base/ascii_classes.h"

namespace pos_video {
namespace {

std::string Folded(const std::string& name) {
  std::string folded = name;
  std::transform(folded.begin(), folded.end(), folded.begin(), LowerAscii);
  return folded;
}

// Letters added, dropped or changed, and neighbours swapped, to make `a` into `b`, a changed letter
// counting `changeCost`; anything above `limit` counts as limit + 1.
int EditDistance(const std::string& a, const std::string& b, int limit, int changeCost) {
  if (a.size() > b.size() + limit || b.size() > a.size() + limit) return limit + 1;
  std::vector<std::vector<int>> d(a.size() + 1, std::vector<int>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = static_cast<int>(i);
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = static_cast<int>(j);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                          d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : changeCost)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return std::min(d[a.size()][b.size()], limit + 1);
}

bool Reads(const ElementAttributes& read, const std::string& name) {
  return std::any_of(read.names.begin(), read.names.end(),
                     [&name](const char* readName) { return name == readName; });
}

// "TermToInput and Term": where the launcher reads `name`.
std::string ElementsReading(const std::string& name) {
  std::string elements;
  for (const ElementAttributes& read : AttributesReadByElement()) {
    if (Reads(read, name))
      elements += (elements.empty() ? "" : " and ") + std::string(read.element);
  }
  return elements;
}

// What is wrong with `name` on an element where the launcher reads `read`, or nothing.
std::string DescribeSlip(const std::string& name, const ElementAttributes& read) {
  if (Reads(read, name)) return "";
  // The root's settings, where the launcher reads them all.
  if (Reads(AttributesReadByElement().front(), name)) {
    return name + " on " + read.element + " is not read: the launcher reads " + name + " on " +
           ElementsReading(name);
  }
  const std::string folded = Folded(name);
  const char* nearest = nullptr;
  int nearestDistance = std::numeric_limits<int>::max();
  for (const char* wanted : read.names) {
    // One changed letter makes other words of a short name ("Host", "Port" from "Post"): there
    // only a letter dropped, added or swapped with its neighbour is taken for a slip.
    const bool shortName = std::strlen(wanted) <= 4;
    const int limit = shortName ? 1 : 2;
    const int distance = EditDistance(folded, Folded(wanted), limit, shortName ? limit + 1 : 1);
    if (distance <= limit && distance < nearestDistance) {
      nearest = wanted;
      nearestDistance = distance;
    }
  }
  if (nearest == nullptr) return "";
  return name + " is not read: " +
         (nearestDistance == 0
              ? std::string("the launcher reads ") + nearest + " (names are case-sensitive)"
              : std::string("did you mean ") + nearest + "?");
}

// The review already names the first attribute written in another case for each of `names` that
// the element lacks, where the loader missed it; that attribute is not named twice.
void AddHinted(const TiXmlElement& element, std::initializer_list<const char*> names,
               std::vector<const TiXmlAttribute*>* hinted) {
  for (const char* name : names) {
    if (FindAttribute(element, name) != nullptr) continue;
    if (const TiXmlAttribute* nearMiss = AttributeInOtherCase(element, name)) {
      hinted->push_back(nearMiss);
    }
  }
}

void AddSlips(const TiXmlElement* element, const std::vector<const TiXmlAttribute*>& hinted,
              std::vector<AttributeSlip>* slips) {
  if (element == nullptr) return;
  const auto read = std::find_if(
      AttributesReadByElement().begin(), AttributesReadByElement().end(),
      [element](const ElementAttributes& read) { return element->ValueStr() == read.element; });
  for (const TiXmlAttribute* attribute = element->FirstAttribute(); attribute != nullptr;
       attribute = attribute->Next()) {
    if (std::find(hinted.begin(), hinted.end(), attribute) != hinted.end()) continue;
    std::string text = DescribeSlip(attribute->NameTStr(), *read);
    if (!text.empty()) slips->push_back({attribute, std::move(text)});
  }
}

}  // namespace

bool InOtherCase(const std::string& name, const std::string& wanted) {
  return name != wanted && Folded(name) == Folded(wanted);
}

const TiXmlAttribute* AttributeInOtherCase(const TiXmlElement& element, const char* name) {
  for (const TiXmlAttribute* attribute = element.FirstAttribute(); attribute != nullptr;
       attribute = attribute->Next()) {
    if (InOtherCase(attribute->NameTStr(), name)) return attribute;
  }
  return nullptr;
}

std::vector<AttributeSlip> RootAttributeSlips(const TiXmlElement& root) {
  std::vector<const TiXmlAttribute*> hinted;
  for (const IntegerSetting& setting : kIntegerSettings) AddHinted(root, {setting.name}, &hinted);
  std::vector<AttributeSlip> slips;
  AddSlips(&root, hinted, &slips);
  return slips;
}

std::vector<AttributeSlip> TermAttributeSlips(const TermReading& term) {
  std::vector<const TiXmlAttribute*> hinted;
  AddHinted(*term.element, {"Number"}, &hinted);
  if (term.verdict == TermVerdict::kSystemWithoutName) AddHinted(*term.system, {"Name"}, &hinted);
  if (term.verdict == TermVerdict::kInputWithoutNameOrNumber) {
    AddHinted(*term.input, {"Name", "Number"}, &hinted);
  }
  const TiXmlElement* system = term.element->FirstChildElement("System");
  std::vector<AttributeSlip> slips;
  AddSlips(term.element, hinted, &slips);
  AddSlips(system, hinted, &slips);
  AddSlips(system == nullptr ? nullptr : system->FirstChildElement("Input"), hinted, &slips);
  return slips;
}

}  // namespace pos_video
