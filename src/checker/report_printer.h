// Printing the checker's findings for a person: the outcome first, then the settings, the
// terminal table, the findings (as FILE:LINE:COLUMN, which editors can jump to) and the messages
// the launcher shows.
#pragma once

#include <ostream>
#include <string>

#include "checker/launch_preview.h"
#include "checker/mapping_report.h"

namespace pos_video {

void PrintMappingReport(std::ostream& out, const std::string& path, const MappingReport& report);

// Ends with the command document's exact text, when one would be written.
void PrintLaunchPreview(std::ostream& out, const LaunchPreview& preview);

// The camera as the command document names it: by name, or else by number and device.
std::string DescribeCamera(const TerminalMapping& mapping);

}  // namespace pos_video
