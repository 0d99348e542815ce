#include "checker/zone_findings.h"

#include <optional>

#include "time_zone/sign_trap.h"
#include "time_zone/time_zone.h"
#include "time_zone/zone_suggestion.h"

namespace pos_video {
namespace {

// "UTC+01:00", "UTC+01:00 or UTC+02:00", "UTC+01:00, UTC+02:00 or UTC+05:30".
std::string OffsetsText(const std::vector<std::int32_t>& offsets) {
  std::string text;
  for (std::size_t i = 0; i < offsets.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == offsets.size() ? " or " : ", ") + UtcOffsetText(offsets[i]);
  }
  return text;
}

// "tzdata's CET is UTC+01:00", "<+03> says UTC+03:00".
std::string WhatTheNameMeans(const AbbreviationReading& reading) {
  const bool numeric = reading.name[0] == '+' || reading.name[0] == '-';
  return (numeric ? "<" + reading.name + "> says " : "tzdata's " + reading.name + " is ") +
         OffsetsText(reading.tzdataOffsets);
}

std::string SignTrapProblem(const AbbreviationReading& reading) {
  const std::int32_t meant = -reading.offset;
  const std::string named = PosixLocalTimeText(reading.name, meant), fixed = FixedOffsetRule(meant);
  return " is " + reading.name + " at " + UtcOffsetText(reading.offset) +
         " as POSIX reads it, but " + WhatTheNameMeans(reading) + ": write " + named +
         (named == fixed ? "" : " or " + fixed) + " for " + UtcOffsetText(meant) +
         ", or a tzdata zone name; ";
}

}  // namespace

std::string RefusedZoneFinding(const std::string& value, const std::string& consequence) {
  if (const std::optional<std::int32_t> posix = UtcNamedOffset(value)) {
    // "UTC+5": the rule's offset and the opposite one that people often mean.
    std::string problem = " is " + UtcOffsetText(*posix) + " as POSIX reads it and " +
                          UtcOffsetText(-*posix) + " as people often mean it: write " +
                          FixedOffsetRule(-*posix) + " for " + UtcOffsetText(-*posix) + " or " +
                          FixedOffsetRule(*posix) + " for " + UtcOffsetText(*posix) +
                          ", or a tzdata zone name; ";
    if (const char* target = WindowsZoneTarget(value)) {
      const std::int32_t windows = FindTimeZone(target)->rule.standardOffset;
      problem += "as a Windows zone name it is " + UtcOffsetText(windows) + ", written " +
                 FixedOffsetRule(windows) + " or " + target + "; ";
    }
    return problem + consequence;
  }
  if (const std::optional<PosixRule> rule = ParsePosixRule(value)) {
    for (const AbbreviationReading& reading : ReadAbbreviations(*rule)) {
      if (reading.fit == AbbreviationFit::kOpposite) return SignTrapProblem(reading) + consequence;
    }
  }
  const std::optional<std::string> suggestion = SuggestZoneName(value);
  return " is neither a tzdata zone name nor a POSIX TZ rule with its rules: " + consequence +
         (suggestion ? "; did you mean " + *suggestion + "?" : "");
}

std::vector<std::string> ZoneWarnings(const std::string& value) {
  if (const std::optional<std::int32_t> etc = EtcGmtOffset(value)) {
    return {" is " + UtcOffsetText(*etc) +
            ": tzdata's Etc/GMT names count hours west of UTC as positive"};
  }
  const std::optional<TimeZone> zone = FindTimeZone(value);
  if (!zone || zone->record != nullptr) return {};
  std::vector<std::string> warnings;
  for (const AbbreviationReading& reading : ReadAbbreviations(zone->rule)) {
    const std::string at = reading.name + " at " + UtcOffsetText(reading.offset);
    if (reading.fit == AbbreviationFit::kOtherOffset) {
      warnings.push_back(" reads " + at + ", but " + WhatTheNameMeans(reading));
    } else if (reading.fit == AbbreviationFit::kUnknown && reading.plusWritten &&
               reading.offset != 0) {
      warnings.push_back(" is " + at + " as POSIX reads it: for " + UtcOffsetText(-reading.offset) +
                         ", write " + FixedOffsetRule(-reading.offset));
    }
  }
  return warnings;
}

std::string WindowsZoneShown(const std::string& value) {
  const char* target = WindowsZoneTarget(value);
  return target != nullptr && FindTimeZone(value) ? std::string(" (") + target + ")" : "";
}

}  // namespace pos_video
