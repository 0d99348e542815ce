#include "time_zone/zone_abbreviations.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <set>
#include <vector>

namespace pos_video {
namespace {

constexpr std::int64_t kAlways = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kSinceEver = std::numeric_limits<std::int64_t>::min();

// A stretch of UTC seconds, [from, to), in which a zone uses an abbreviation at `offset`. The
// stretch of a rule with daylight time holds both of its names, each only part of every year.
struct Use {
  std::int64_t from;
  std::int64_t to;
  std::int32_t offset;
};

const char* TypeName(std::uint8_t type) {
  return kZoneAbbreviationText + kZoneTypes[type].abbreviation;
}

// Whether `abbreviation` at `offset` is the local time in force in `zone` at `utcSeconds`.
bool InForce(const TimeZone& zone, std::int64_t utcSeconds, const std::string& abbreviation,
             std::int32_t offset) {
  const ZoneLocalTime local = ZoneTimeAt(zone, utcSeconds);
  return local.utcOffset == offset && local.abbreviation == abbreviation;
}

std::vector<Use> UsesOf(const TimeZone& zone, const std::string& abbreviation) {
  std::vector<Use> uses;
  std::int64_t ruleFrom = kSinceEver;
  if (const ZoneRecord* record = zone.record; record != nullptr && record->changeCount > 0) {
    std::int64_t from = kSinceEver;
    std::uint8_t type = record->initialType;
    for (std::uint32_t i = 0; i < record->changeCount; ++i) {
      const std::int64_t change = kChangeTimes[record->firstChange + i];
      if (abbreviation == TypeName(type)) uses.push_back({from, change, kZoneTypes[type].offset});
      from = change;
      type = kChangeTypes[record->firstChange + i];
    }
    ruleFrom = from;
  }
  const PosixRule& rule = zone.rule;
  if (abbreviation == rule.standardName) uses.push_back({ruleFrom, kAlways, rule.standardOffset});
  if (rule.hasDaylight && abbreviation == rule.daylightName) {
    uses.push_back({ruleFrom, kAlways, rule.daylightOffset});
  }
  return uses;
}

std::int64_t Distance(const Use& use, std::int64_t utcSeconds) {
  if (utcSeconds < use.from) return use.from - utcSeconds;
  if (utcSeconds >= use.to) return utcSeconds - use.to + 1;
  return 0;
}

std::set<std::string> CollectAbbreviations() {
  std::set<std::string> names;
  for (std::size_t i = 0; i < kZoneNameCount; ++i) {
    const ZoneRecord& record = kZoneRecords[kZoneNames[i].record];
    if (record.changeCount > 0) {
      names.insert(TypeName(record.initialType));
      for (std::uint32_t change = 0; change < record.changeCount; ++change) {
        names.insert(TypeName(kChangeTypes[record.firstChange + change]));
      }
    }
    if (const std::optional<PosixRule> rule = ParsePosixRule(kZoneRuleText + record.rule)) {
      names.insert(rule->standardName);
      if (rule->hasDaylight) names.insert(rule->daylightName);
    }
  }
  return names;
}

}  // namespace

bool IsZoneAbbreviation(const std::string& word) {
  static const std::set<std::string> names = CollectAbbreviations();
  return names.count(word) > 0;
}

std::optional<ZoneConversion> ConvertAtAbbreviation(const TimeZone& zone,
                                                    const WallClock& wallClock,
                                                    const std::string& abbreviation) {
  const std::vector<Use> uses = UsesOf(zone, abbreviation);
  if (uses.empty()) return std::nullopt;
  const std::int64_t local = WallClockSeconds(wallClock);
  std::optional<std::int32_t> offset;
  // The reading the abbreviation is in force at; the earlier second where two are.
  for (const Use& use : uses) {
    const std::int64_t second = local - use.offset;
    if (InForce(zone, second, abbreviation, use.offset) && (!offset || use.offset > *offset)) {
      offset = use.offset;
    }
  }
  if (!offset) {
    const auto nearest =
        std::min_element(uses.begin(), uses.end(), [&](const Use& a, const Use& b) {
          return Distance(a, local - a.offset) < Distance(b, local - b.offset);
        });
    offset = nearest->offset;
  }
  ZoneConversion conversion;
  conversion.utcSeconds = local - *offset;
  conversion.abbreviation = abbreviation;
  conversion.utcOffset = *offset;
  return conversion;
}

}  // namespace pos_video
