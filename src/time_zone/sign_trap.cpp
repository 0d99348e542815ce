#include "time_zone/sign_trap.h"

#include <algorithm>
#include <cstring>

#include "base/ascii_classes.h"
#include "time_zone/time_zone.h"
#include "time_zone/zone_table.h"

namespace pos_video {
namespace {

// "+03", "-0530", "+053020": the offset east the name says, or nothing for any other name.
bool NumericOffset(const std::string& name, std::int32_t* offset) {
  if (name.size() < 3 || name.size() > 7 || name.size() % 2 == 0 ||
      (name[0] != '+' && name[0] != '-') ||
      !std::all_of(name.begin() + 1, name.end(), IsAsciiDigit)) {
    return false;
  }
  std::int32_t seconds = 0, unit = 3600;
  for (std::size_t i = 1; i < name.size(); i += 2, unit /= 60) {
    seconds += ((name[i] - '0') * 10 + name[i + 1] - '0') * unit;
  }
  *offset = name[0] == '-' ? -seconds : seconds;
  return true;
}

// Orders the table's entries and a name by the name alone.
struct ByAbbreviation {
  bool operator()(const AbbreviationOffset& entry, const std::string& name) const {
    return std::strcmp(kZoneAbbreviationText + entry.abbreviation, name.c_str()) < 0;
  }
  bool operator()(const std::string& name, const AbbreviationOffset& entry) const {
    return std::strcmp(name.c_str(), kZoneAbbreviationText + entry.abbreviation) < 0;
  }
};

std::vector<std::int32_t> TzdataOffsets(const std::string& name) {
  std::int32_t own = 0;
  if (NumericOffset(name, &own)) return {own};
  const auto range =
      std::equal_range(kAbbreviationOffsets, kAbbreviationOffsets + kAbbreviationOffsetCount, name,
                       ByAbbreviation{});
  std::vector<std::int32_t> offsets;
  for (auto entry = range.first; entry != range.second; ++entry) offsets.push_back(entry->offset);
  return offsets;
}

AbbreviationReading Read(const std::string& name, std::int32_t offset, bool plusWritten) {
  AbbreviationReading reading{name, offset, plusWritten, AbbreviationFit::kUnknown,
                              TzdataOffsets(name)};
  const auto& given = reading.tzdataOffsets;
  if (std::find(given.begin(), given.end(), offset) != given.end()) {
    reading.fit = AbbreviationFit::kAsTzdata;
  } else if (offset != 0 && std::find(given.begin(), given.end(), -offset) != given.end()) {
    reading.fit = AbbreviationFit::kOpposite;
  } else if (!given.empty()) {
    reading.fit = AbbreviationFit::kOtherOffset;
  }
  return reading;
}

}  // namespace

std::vector<AbbreviationReading> ReadAbbreviations(const PosixRule& rule) {
  std::vector<AbbreviationReading> readings{
      Read(rule.standardName, rule.standardOffset, rule.standardPlus)};
  if (rule.hasDaylight) {
    readings.push_back(Read(rule.daylightName, rule.daylightOffset, rule.daylightPlus));
  }
  return readings;
}

bool FallsIntoSignTrap(const PosixRule& rule) {
  // Read for every Term of a mapping file: the table alone, without the readings' lists.
  const auto opposite = [](const std::string& name, std::int32_t offset) {
    std::int32_t own = 0;
    if (NumericOffset(name, &own)) return offset != 0 && own == -offset;
    const auto range =
        std::equal_range(kAbbreviationOffsets, kAbbreviationOffsets + kAbbreviationOffsetCount,
                         name, ByAbbreviation{});
    const auto has = [&](std::int32_t wanted) {
      return std::any_of(range.first, range.second,
                         [&](const AbbreviationOffset& entry) { return entry.offset == wanted; });
    };
    return offset != 0 && has(-offset) && !has(offset);
  };
  return opposite(rule.standardName, rule.standardOffset) ||
         (rule.hasDaylight && opposite(rule.daylightName, rule.daylightOffset));
}

std::string PosixLocalTimeText(const std::string& name, std::int32_t offset) {
  const std::string fixed = FixedOffsetRule(offset);
  const bool letters = std::all_of(name.begin(), name.end(), IsAsciiLetter);
  return (letters ? name : "<" + name + ">") + fixed.substr(fixed.find('>') + 1);
}

}  // namespace pos_video
