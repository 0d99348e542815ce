// Inspecting a mapping file: what the launcher's own loader makes of it, and every place where the
// file says something that the launcher skips, replaces, ignores or never reads.
//
// The loader decides; the inspection only explains. It runs LoadTerminalMappingsFromText for the
// outcome, the table, the settings and the messages, and walks the same parsed document with the
// loader's public pieces (ParseMappingText, ReadIntegerAttribute, ReadTerm) to find the places.
#pragma once

#include <string>

#include "checker/mapping_report.h"

namespace pos_video {

// Inspects the text of a mapping file; `path` names the file in the launcher's messages.
MappingReport InspectMappingText(const std::string& text, const std::string& path);

// Reads the file at `path` as the launcher does and inspects it. A file that cannot be read gives
// a report of nothing loaded, with the launcher's message and the system's reason.
MappingReport InspectMappingFile(const std::string& path);

}  // namespace pos_video
