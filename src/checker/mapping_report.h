// What the mapping checker found out about a mapping file: a plain record that the inspection
// fills and the printer formats, so tests can look at findings rather than at printed text.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "mapping/terminal_mapping.h"

namespace pos_video {

// A place in the mapping file, counted from 1. Line 0 means the finding has no single place.
struct TextPosition {
  int line = 0;
  int column = 0;
};

enum class DiagnosticKind {
  kFileUnreadable,
  kTextRefused,  // The pre-scan keeps the text from TinyXML altogether.
  kXmlError,
  kNoElement,
  kRootNotTermToInput,
  kSettingIgnored,  // Not an integer, or its name in the wrong letter case.
  kRootChildNotTerm,
  kTextInRoot,
  kTermWithoutIntegerNumber,
  kTermWithoutSystem,
  kSystemWithoutName,
  kSystemWithoutInput,
  kInputWithoutNameOrNumber,
  kTerminalReplaced,
  kNameChangedByReference,  // A character reference to NUL or to a control character.
  kUnreadText,
  kNoTerminalStored,
};

// Something in the file that the launcher skips, replaces, ignores or cannot load.
struct Diagnostic {
  TextPosition position;
  DiagnosticKind kind = DiagnosticKind::kXmlError;
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
  std::vector<Diagnostic> diagnostics;
};

}  // namespace pos_video
