#include "time_zone/time_zone.h"

#include <algorithm>
#include <cstring>

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
  if (const ZoneRecord* listed = zone.listedChanges) {
    const std::int64_t* end = listed->changeTimes + listed->changeCount;
    const std::int64_t* next = std::upper_bound(listed->changeTimes, end, utcSeconds);
    // Before the first listed change and from the last one on, the rule holds.
    if (next != listed->changeTimes && next != end) {
      const ZoneType& type = listed->types[listed->changeTypes[next - 1 - listed->changeTimes]];
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
  const ZoneName* begin = kZoneNames;
  const ZoneName* end = kZoneNames + kZoneNameCount;
  const ZoneName* found =
      std::lower_bound(begin, end, value, [](const ZoneName& entry, const std::string& name) {
        return std::strcmp(entry.name, name.c_str()) < 0;
      });
  // A value holding a NUL byte matches no name, nor any rule.
  if (value.find('\0') != std::string::npos) return std::nullopt;
  if (found != end && value == found->name) {
    const ZoneRecord& record = kZoneRecords[found->record];
    std::optional<PosixRule> rule = ParsePosixRule(record.rule);
    if (!rule) return std::nullopt;
    return TimeZone{*rule, record.changeCount > 0 ? &record : nullptr};
  }
  std::optional<PosixRule> rule = ParsePosixRule(value);
  if (!rule) return std::nullopt;
  return TimeZone{*rule, nullptr};
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
