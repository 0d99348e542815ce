// Reviewing a mapping file: what the launcher's own loader makes of it, every place where the file
// says something that the launcher skips, replaces, ignores, never reads or reads otherwise than
// meant, and what a launch with it does: plain records that the review fills and the printer
// lays out, so that neither knows the other's work.
//
// The loader decides; the review only explains. It runs the loader once, with a sink that
// collects its messages, and explains the loader's own reading of the settings and of each Term.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/launch_request.h"
#include "base/platform.h"
#include "base/wall_clock.h"
#include "mapping/terminal_mapping.h"
#include "time_zone/time_zone.h"

namespace pos_video {

// A place in the mapping file, counted from 1. Line 0 means the finding has no single place.
struct TextPosition {
  int line = 0;
  int column = 0;
};

// An error is what makes the launcher load nothing or show a message box; the rest is a warning.
enum class Severity { kWarning, kError };

// What a finding is about, for tools that sort findings by kind (SARIF's rules).
enum class FindingKind {
  kFileUnreadable,
  kFileRefused,
  kNotParsed,
  kNoElement,
  kWrongRoot,
  kNothingLoaded,
  kNoMappingFile,  // A folder that holds none, or cannot be read.
  kClockUnusable,
  kTermRejected,
  kSettingNotInteger,
  kTextAfterDigits,
  kUnlikelyValue,
  kZoneMayMeanOther,
  kControlCharacter,
  kNoCamera,
  kTermReplaced,
  kTermSkipped,
  kElementIgnored,
  kTextIgnored,
  kTextNeverRead,
  kAttributeNotRead,
};

struct Finding {
  TextPosition position;
  Severity severity = Severity::kWarning;
  std::string text;
  FindingKind kind = FindingKind::kFileUnreadable;
};

// One setting of the root and where its value comes from, in the report's words.
struct SettingReport {
  std::string name;
  std::int32_t value = 0;
  std::string source;  // "from the file", "default: not in the file", ...
};

struct MappingReport {
  // What the launcher's own loader made of the file.
  bool loaded = false;
  std::vector<std::string> launcherMessages;
  TerminalMappingTable table;
  LaunchSettings settings;

  // Empty unless the first element is TermToInput, the only case in which settings are read.
  // A ClockOffset is among them only when the file has one.
  std::vector<SettingReport> settingReports;
  // The root's TimeZone as written, when it has one, and whether it names a zone.
  std::optional<std::string> timeZone;
  bool timeZoneUsable = true;
  // Where the Term that the table holds for each terminal stands.
  std::map<std::int32_t, TextPosition> termPositions;
  std::vector<Finding> findings;
};

// How the time option's wall clock became the search time of a terminal with a zone or a clock
// offset, or of a time that names its own offset.
struct ClockConversion {
  WallClock wallClock;
  std::string timeZone;  // Empty: the PC's own.
  std::optional<ZoneConversion> zone;
  std::int32_t clockOffset = 0;
  std::int64_t start = 0;
  std::int64_t end = 0;
  std::optional<std::int32_t> givenOffset;  // The time's own offset, when it names one.
  bool atAbbreviation = false;  // The zone read it at the abbreviation written with the time.
};

// What the launcher would do for one terminal and search time with a reviewed mapping file.
struct LaunchPreview {
  std::int32_t terminal = 0;
  // None when the launcher cannot read the time it is given.
  std::optional<std::int64_t> searchTime;
  std::optional<ClockConversion> conversion;
  // Every message of the run in order, the loader's included.
  std::vector<std::string> messages;
  // When written, the client is started too.
  bool documentWritten = false;
  // The document's exact text, LF line ends, for the mouse pointer at (0, 0).
  std::string document;
};

// Reviews `file`, the file at `path` as ReadMappingFile read it once, loading it as the launcher
// does. A file that could not be read gives a report of nothing loaded, with the launcher's
// message and the reason.
MappingReport ReviewMappingFile(const std::string& path, const FileText& file);

// What the launcher does with that same text for the request, around `currentTime` when it names
// no time: the same messages in the same order and the same document, by the launcher's own steps
// on the text already read, with nothing shown or written.
LaunchPreview PreviewLaunch(const std::string& path, const FileText& file,
                            const LaunchRequest& request, std::int64_t currentTime);

}  // namespace pos_video
