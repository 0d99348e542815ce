// What the mapping checker found out about a mapping file, and what a launch with it does: plain
// records that the inspection fills and the printer formats, so tests can look at findings rather
// than at printed text.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "mapping/terminal_mapping.h"

namespace pos_video {

// A place in the mapping file, counted from 1. Line 0 means the finding has no single place.
struct TextPosition {
  int line = 0;
  int column = 0;
};

// An error is what makes the launcher load nothing or show a message box; the rest is a warning.
enum class Severity { kWarning, kError };

// Something in the file that the launcher skips, replaces, ignores, cannot load, or reads
// otherwise than the integrator probably meant.
struct Finding {
  TextPosition position;
  Severity severity = Severity::kWarning;
  std::string text;
};

enum class SettingOrigin { kFile, kDefaultAbsent, kDefaultNotInteger };

struct SettingReport {
  std::string name;
  std::int32_t value = 0;
  SettingOrigin origin = SettingOrigin::kDefaultAbsent;
  std::string attributeText;  // As written in the file, when present.
};

struct MappingReport {
  // What the launcher's own loader made of the file.
  bool loaded = false;
  std::vector<std::string> launcherMessages;
  TerminalMappingTable table;
  LaunchSettings settings;

  // Empty unless the first element is TermToInput, the only case in which settings are read.
  std::vector<SettingReport> settingReports;
  // Where the Term that the table holds for each terminal stands.
  std::map<std::int32_t, TextPosition> termPositions;
  std::vector<Finding> findings;
};

// What the launcher would do for one terminal and search time with an inspected mapping file.
struct LaunchPreview {
  std::int32_t terminal = 0;
  // None when the launcher cannot read the time it is given.
  std::optional<std::int64_t> searchTime;
  // Every message of the run in order, the loader's included.
  std::vector<std::string> messages;
  // When written, the client is started too.
  bool documentWritten = false;
  // The document's exact text, LF line ends, for the mouse pointer at (0, 0).
  std::string document;
};

}  // namespace pos_video
