#include "time_zone/zone_suggestion.h"

#include <algorithm>
#include <cstddef>
#include <tuple>
#include <vector>

#include "base/ascii_classes.h"
#include "time_zone/time_zone.h"
#include "time_zone/zone_table.h"

namespace pos_video {
namespace {

constexpr std::size_t kMostEdits = 2;

// The edits that turn one into the other, or kMostEdits + 1 when there are more.
std::size_t Edits(const std::string& one, const std::string& other) {
  const std::size_t apart =
      one.size() > other.size() ? one.size() - other.size() : other.size() - one.size();
  if (apart > kMostEdits) return kMostEdits + 1;
  std::vector<std::size_t> row(other.size() + 1);
  for (std::size_t j = 0; j < row.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= one.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= other.size(); ++j) {
      const std::size_t above = row[j];
      row[j] =
          std::min({row[j] + 1, row[j - 1] + 1, diagonal + (one[i - 1] == other[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return std::min(row.back(), kMostEdits + 1);
}

std::string AfterLastSlash(const std::string& name) { return name.substr(name.rfind('/') + 1); }

bool EqualButForCase(const std::string& one, const std::string& other) {
  return one.size() == other.size() &&
         std::equal(one.begin(), one.end(), other.begin(),
                    [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

struct Candidate {
  std::string name;
  std::string shown;  // The name, and a Windows name's zone.
  bool windows;
};

std::vector<Candidate> Candidates() {
  std::vector<Candidate> names;
  for (std::size_t i = 0; i < kZoneNameCount; ++i) {
    const std::string name = kZoneNameText + kZoneNames[i].nameOffset;
    names.push_back({name, name, false});
  }
  for (std::size_t i = 0; i < kWindowsZoneNameCount; ++i) {
    const std::string name = kWindowsZoneText + kWindowsZoneNames[i].windowsName;
    // The refused "UTC-08" and the like are not worth suggesting.
    if (FindTimeZone(name)) {
      names.push_back({name, name + " (" + WindowsZoneTarget(name) + ")", true});
    }
  }
  return names;
}

enum class Rule { kCaseOnly, kClose, kWindowsPrefix };

// How many edits `name` is off `value` by `rule`, or kMostEdits + 1 when the rule does not find it.
std::size_t EditsBy(Rule rule, const std::string& value, const Candidate& name) {
  switch (rule) {
    case Rule::kCaseOnly:
      return EqualButForCase(value, name.name) ? 0 : kMostEdits + 1;
    case Rule::kClose:
      return std::min(Edits(value, name.name), Edits(AfterLastSlash(value), name.name));
    case Rule::kWindowsPrefix:
      break;
  }
  return name.windows && name.name.rfind(value, 0) == 0 ? 0 : kMostEdits + 1;
}

}  // namespace

std::optional<std::string> SuggestZoneName(const std::string& value) {
  if (value.empty()) return std::nullopt;
  const std::vector<Candidate> names = Candidates();
  for (Rule rule : {Rule::kCaseOnly, Rule::kClose, Rule::kWindowsPrefix}) {
    const Candidate* best = nullptr;
    std::tuple<std::size_t, std::size_t, std::string> bestKey;
    for (const Candidate& name : names) {
      const std::size_t edits = EditsBy(rule, value, name);
      if (edits > kMostEdits) continue;
      auto key = std::make_tuple(edits, name.name.size(), name.name);
      if (best == nullptr || key < bestKey) {
        best = &name;
        bestKey = std::move(key);
      }
    }
    if (best != nullptr) return best->shown;
  }
  return std::nullopt;
}

}  // namespace pos_video
