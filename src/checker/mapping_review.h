// Reviewing a mapping file: what the launcher's own loader makes of it, and every place where the
// file says something that the launcher skips, replaces, ignores, never reads or reads otherwise
// than meant.
//
// The loader decides; the review only explains. It runs the loader once, with a sink that
// collects its messages, and explains the loader's own reading of the settings and of each Term.
#pragma once

#include <string>

#include "base/platform.h"
#include "checker/mapping_report.h"

namespace pos_video {

// Reads the file at `path` through `files` as the launcher does and reviews it. A file that
// cannot be read gives a report of nothing loaded, with the launcher's message and the reason.
MappingReport ReviewMappingFile(const std::string& path, FileReader& files);

}  // namespace pos_video
