#include "time_zone/time_zone.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace pos_video {
namespace {

// Far enough from a wall-clock time, either way, to lie outside any change around it: more than
// the largest offset from UTC a rule can give.
constexpr std::int64_t kAroundChange = 26 * 3600;

struct LocalTime {
  std::int32_t offset;
  const char* abbreviation;
};

LocalTime LocalTimeAt(const TimeZone& zone, std::int64_t utcSeconds) {
  if (const ListedChanges* listed = zone.listedChanges) {
    const std::int64_t* end = listed->times + listed->count;
    const std::int64_t* next = std::upper_bound(listed->times, end, utcSeconds);
    // Before the first listed change and from the last one on, the rule holds.
    if (next != listed->times && next != end) {
      const ZoneType& type = listed->types[listed->typeIndexes[next - 1 - listed->times]];
      return {type.offset, type.abbreviation};
    }
  }
  const PosixRule& rule = zone.rule;
  if (IsDaylightAt(rule, utcSeconds)) return {rule.daylightOffset, rule.daylightName.c_str()};
  return {rule.standardOffset, rule.standardName.c_str()};
}

}  // namespace

const char* TimeZoneDataVersion() { return kTimeZoneDataVersion; }

std::optional<TimeZone> FindTimeZone(const std::string& value) {
  // A value holding a NUL byte is no name, nor a rule.
  if (value.find('\0') != std::string::npos) return std::nullopt;
  const ZoneName* end = kZoneNames + kZoneNameCount;
  const ZoneName* found =
      std::lower_bound(kZoneNames, end, value, [](const ZoneName& entry, const std::string& name) {
        return std::strcmp(kZoneNameText + entry.nameOffset, name.c_str()) < 0;
      });
  if (found == end || value != kZoneNameText + found->nameOffset) {
    std::optional<PosixRule> rule = ParsePosixRule(value);
    if (!rule) return std::nullopt;
    return TimeZone{std::move(*rule), nullptr};
  }
  std::optional<PosixRule> rule = ParsePosixRule(kZoneRules[found->record]);
  if (!rule) return std::nullopt;
  const ListedChanges* listed =
      std::find_if(kListedChanges, kListedChanges + kListedChangesCount,
                   [&](const ListedChanges& changes) { return changes.record == found->record; });
  return TimeZone{std::move(*rule),
                  listed == kListedChanges + kListedChangesCount ? nullptr : listed};
}

ZoneConversion ConvertWallClock(const TimeZone& zone, const WallClock& wallClock) {
  const std::int64_t local = WallClockSeconds(wallClock);
  // The offsets in force well before and well after the wall-clock time: at most one change lies
  // between them, and each reading of the time uses one of them.
  const std::int32_t before = LocalTimeAt(zone, local - kAroundChange).offset;
  const std::int32_t after = LocalTimeAt(zone, local + kAroundChange).offset;
  const bool beforeFits = LocalTimeAt(zone, local - before).offset == before;
  const bool afterFits = LocalTimeAt(zone, local - after).offset == after;

  ZoneConversion conversion;
  std::int32_t offset = before;
  if (before != after) {
    if (beforeFits && afterFits) {
      conversion.fit = WallClockFit::kRepeated;
    } else if (!beforeFits && !afterFits) {
      conversion.fit = WallClockFit::kSkipped;
    } else if (afterFits) {
      offset = after;
    }
  }
  conversion.utcSeconds = local - offset;
  const LocalTime inForce = LocalTimeAt(zone, conversion.utcSeconds);
  conversion.abbreviation = inForce.abbreviation;
  conversion.utcOffset = inForce.offset;
  return conversion;
}

}  // namespace pos_video
