// Printing the checker's findings: for a person, the outcome first, then the settings, the
// terminal table, the findings and the messages the launcher shows; for a build server, only the
// findings, one line each in the form compiler-style parsers read (FILE:LINE:COLUMN: warning:).
#pragma once

#include <ostream>
#include <string>

#include "checker/mapping_review.h"

namespace pos_video {

void PrintMappingReport(std::ostream& out, const std::string& path, const MappingReport& report);

// Each finding on a line of its own, after `indent`.
void PrintFindings(std::ostream& out, const std::string& path, const MappingReport& report,
                   const char* indent);

// Ends with the command document's exact text, when one would be written.
void PrintLaunchPreview(std::ostream& out, const LaunchPreview& preview);

}  // namespace pos_video
