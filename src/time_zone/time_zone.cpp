#include "time_zone/time_zone.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/ascii_classes.h"

namespace pos_video {
namespace {

// Far enough from a wall-clock time, either way, to lie outside any change around it: more than
// the largest offset from UTC a rule can give. tzdata lists no two changes this close since 1970.
constexpr std::int64_t kAroundChange = 26 * 3600;

struct LocalTime {
  std::int32_t offset;
  const char* abbreviation;
};

LocalTime LocalTimeAt(const TimeZone& zone, std::int64_t utcSeconds) {
  if (const ZoneRecord* record = zone.record; record != nullptr && record->changeCount > 0) {
    const std::uint32_t* first = kChangeTimes + record->firstChange;
    const std::uint32_t* end = first + record->changeCount;
    // From the last listed change on, the rule holds.
    if (utcSeconds < end[-1]) {
      const std::uint32_t* next = std::upper_bound(
          first, end, utcSeconds,
          [](std::int64_t second, std::uint32_t change) { return second < change; });
      const ZoneType& type =
          kZoneTypes[next == first ? record->initialType : kChangeTypes[next - 1 - kChangeTimes]];
      return {type.offset, kZoneAbbreviationText + type.abbreviation};
    }
  }
  const PosixRule& rule = zone.rule;
  if (IsDaylightAt(rule, utcSeconds)) return {rule.daylightOffset, rule.daylightName.c_str()};
  return {rule.standardOffset, rule.standardName.c_str()};
}

bool EqualsIgnoringCase(const std::string& text, const char* lowercase) {
  return std::equal(text.begin(), text.end(), lowercase, lowercase + std::strlen(lowercase),
                    [](char c, char lower) { return LowerAscii(c) == lower; });
}

std::string TwoDigits(std::int32_t value) {
  return (value < 10 ? "0" : "") + std::to_string(value);
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
    if (UtcNamedOffset(value)) return std::nullopt;
    std::optional<PosixRule> rule = ParsePosixRule(value);
    if (!rule) return std::nullopt;
    return TimeZone{std::move(*rule), nullptr};
  }
  const ZoneRecord& record = kZoneRecords[found->record];
  std::optional<PosixRule> rule = ParsePosixRule(kZoneRuleText + record.rule);
  if (!rule) return std::nullopt;
  return TimeZone{std::move(*rule), &record};
}

std::optional<std::int32_t> UtcNamedOffset(const std::string& value) {
  if (value.find('\0') != std::string::npos) return std::nullopt;
  // The standard time's name as written: letters, or what stands between < and >.
  const bool quoted = !value.empty() && value[0] == '<';
  const std::size_t nameEnd =
      quoted ? value.find('>') : std::find_if(value.begin(), value.end(), [](char c) {
                                   return !IsAsciiLetter(c);
                                 }) - value.begin();
  if (nameEnd == std::string::npos) return std::nullopt;
  const std::string name = value.substr(quoted ? 1 : 0, nameEnd - (quoted ? 1 : 0));
  if (!EqualsIgnoringCase(name, "utc") && !EqualsIgnoringCase(name, "gmt") &&
      !(quoted && (EqualsIgnoringCase(name, "ut") || EqualsIgnoringCase(name, "z")))) {
    return std::nullopt;
  }
  // The rest read as a rule; "UTC" stands in for names too short for one.
  const std::optional<PosixRule> rule =
      ParsePosixRule("UTC" + value.substr(quoted ? nameEnd + 1 : nameEnd));
  if (!rule || rule->standardOffset == 0) return std::nullopt;
  return rule->standardOffset;
}

std::optional<std::int32_t> EtcGmtOffset(const std::string& value) {
  if (value.rfind("Etc/GMT", 0) != 0) return std::nullopt;
  const std::optional<TimeZone> zone = FindTimeZone(value);
  if (!zone || zone->rule.standardOffset == 0) return std::nullopt;
  return zone->rule.standardOffset;
}

std::string FixedOffsetRule(std::int32_t offset) {
  const std::int32_t magnitude = offset < 0 ? -offset : offset;
  const std::int32_t hours = magnitude / 3600, minutes = magnitude / 60 % 60,
                     seconds = magnitude % 60;
  std::string name = TwoDigits(hours), west = std::to_string(hours);
  if (minutes != 0 || seconds != 0) {
    name += TwoDigits(minutes);
    west += ":" + TwoDigits(minutes);
  }
  if (seconds != 0) {
    name += TwoDigits(seconds);
    west += ":" + TwoDigits(seconds);
  }
  return (offset < 0 ? "<-" : "<+") + name + (offset < 0 ? ">+" : ">-") + west;
}

std::string UtcOffsetText(std::int32_t offset) {
  const std::int32_t magnitude = offset < 0 ? -offset : offset;
  std::string text = std::string("UTC") + (offset < 0 ? "-" : "+") + TwoDigits(magnitude / 3600) +
                     ":" + TwoDigits(magnitude / 60 % 60);
  if (magnitude % 60 != 0) text += ":" + TwoDigits(magnitude % 60);
  return text;
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
