#include "time_zone/time_zone.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "base/ascii_classes.h"
#include "time_zone/sign_trap.h"

namespace pos_video {
namespace {

// More than the largest offset from UTC a rule can give: every reading of a wall-clock time lies
// within this of it.
constexpr std::int64_t kAroundChange = std::int64_t{26} * 3600;

struct LocalTime {
  std::int32_t offset;
  const char* abbreviation;
};

bool operator==(const LocalTime& one, const LocalTime& other) {
  return one.offset == other.offset && std::strcmp(one.abbreviation, other.abbreviation) == 0;
}

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

// A change of local time: at `second` (UTC) from `before` to `after`.
struct Change {
  std::int64_t second;
  LocalTime before, after;
};

// Every change in (`from`, `to`]: the zone's listed changes and each one its rule may make, kept
// where the local time differs either side.
std::vector<Change> ChangesBetween(const TimeZone& zone, std::int64_t from, std::int64_t to) {
  std::vector<std::int64_t> moments;
  if (const ZoneRecord* record = zone.record) {
    const std::uint32_t* first = kChangeTimes + record->firstChange;
    const std::uint32_t* end = first + record->changeCount;
    for (const std::uint32_t *change = std::upper_bound(
             first, end, from,
             [](std::int64_t second, std::uint32_t listed) { return second < listed; });
         change != end && *change <= to; ++change) {
      moments.push_back(*change);
    }
  }
  // The span is shorter than a year: its ends' years hold it.
  if (zone.rule.hasDaylight) {
    for (std::int64_t end : {from, to}) {
      for (std::int64_t moment : PossibleChanges(zone.rule, end)) moments.push_back(moment);
    }
  }
  std::sort(moments.begin(), moments.end());
  moments.erase(std::unique(moments.begin(), moments.end()), moments.end());
  std::vector<Change> changes;
  for (std::int64_t moment : moments) {
    if (moment <= from || moment > to) continue;
    const LocalTime before = LocalTimeAt(zone, moment - 1), after = LocalTimeAt(zone, moment);
    if (!(before == after)) changes.push_back({moment, before, after});
  }
  return changes;
}

ZoneLocalTime Named(const LocalTime& time) { return {time.abbreviation, time.offset}; }

bool EqualsIgnoringCase(const std::string& text, const char* lowercase) {
  return std::equal(text.begin(), text.end(), lowercase, lowercase + std::strlen(lowercase),
                    [](char c, char lower) { return LowerAscii(c) == lower; });
}

std::string TwoDigits(std::int32_t value) {
  return (value < 10 ? "0" : "") + std::to_string(value);
}

}  // namespace

const char* TimeZoneDataVersion() { return kTimeZoneDataVersion; }

const char* WindowsZoneDataVersion() { return kCldrVersion; }

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
    if (const char* target = WindowsZoneTarget(value)) return FindTimeZone(target);
    std::optional<PosixRule> rule = ParsePosixRule(value);
    if (!rule || FallsIntoSignTrap(*rule)) return std::nullopt;
    return TimeZone{std::move(*rule), nullptr};
  }
  const ZoneRecord& record = kZoneRecords[found->record];
  std::optional<PosixRule> rule = ParsePosixRule(kZoneRuleText + record.rule);
  if (!rule) return std::nullopt;
  return TimeZone{std::move(*rule), &record};
}

const char* WindowsZoneTarget(const std::string& value) {
  const WindowsZoneName* end = kWindowsZoneNames + kWindowsZoneNameCount;
  const WindowsZoneName* found = std::lower_bound(
      kWindowsZoneNames, end, value, [](const WindowsZoneName& entry, const std::string& name) {
        return std::strcmp(kWindowsZoneText + entry.windowsName, name.c_str()) < 0;
      });
  if (found == end || value != kWindowsZoneText + found->windowsName) return nullptr;
  return kZoneNameText + kZoneNames[found->zoneName].nameOffset;
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

ZoneLocalTime ZoneTimeAt(const TimeZone& zone, std::int64_t utcSeconds) {
  return Named(LocalTimeAt(zone, utcSeconds));
}

ZoneConversion ConvertWallClock(const TimeZone& zone, const WallClock& wallClock) {
  const std::int64_t local = WallClockSeconds(wallClock);
  // Each reading of the wall-clock time uses an offset in force somewhere within a day or so of
  // it; the readings that fit are those whose second has that offset.
  const std::vector<Change> changes =
      ChangesBetween(zone, local - kAroundChange, local + kAroundChange);
  std::vector<LocalTime> offsets{LocalTimeAt(zone, local - kAroundChange)};
  for (const Change& change : changes) offsets.push_back(change.after);
  std::vector<LocalTime> fits;
  for (const LocalTime& offset : offsets) {
    const LocalTime at = LocalTimeAt(zone, local - offset.offset);
    const bool known = std::any_of(fits.begin(), fits.end(),
                                   [&](const LocalTime& fit) { return fit.offset == at.offset; });
    if (at.offset == offset.offset && !known) fits.push_back(at);
  }
  // The first occurrence is the one with the largest offset east.
  std::sort(fits.begin(), fits.end(),
            [](const LocalTime& one, const LocalTime& other) { return one.offset > other.offset; });

  ZoneConversion conversion;
  std::int32_t offset = fits.empty() ? offsets.front().offset : fits.front().offset;
  if (fits.size() > 1) {
    conversion.fit = WallClockFit::kRepeated;
    conversion.before = Named(fits[0]);
    conversion.after = Named(fits[1]);
  } else if (fits.empty()) {
    // The last change that moves the clock past the time: read with the offset before it.
    for (const Change& change : changes) {
      if (change.second + change.before.offset <= local &&
          local < change.second + change.after.offset) {
        conversion.fit = WallClockFit::kSkipped;
        conversion.before = Named(change.before);
        conversion.after = Named(change.after);
        offset = change.before.offset;
      }
    }
  }
  conversion.utcSeconds = local - offset;
  const LocalTime inForce = LocalTimeAt(zone, conversion.utcSeconds);
  conversion.abbreviation = inForce.abbreviation;
  conversion.utcOffset = inForce.offset;
  return conversion;
}

}  // namespace pos_video
