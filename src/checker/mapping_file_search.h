// The mapping files that the checker's FILE arguments name, as an integrator's pipeline names
// them: a file as it is, a folder of stores searched with its subfolders, and, where the program
// rather than the shell expands wildcards (Windows), a path with "*" and "?" in any of its parts.
#pragma once

#include <string>
#include <vector>

#include "base/platform.h"

namespace pos_video {

struct MappingFileArgument {
  std::string path;        // As printed: the argument as given, or a path found from it.
  std::string failure;     // Why there is no file to review at `path`, or empty.
  bool unmatched = false;  // A pattern that matches nothing: as a file that cannot be read.
};

// Each argument in turn; what a folder or a pattern gives, in byte order of the paths. A folder
// that holds no termToInput.xml, or cannot be read, and a pattern that matches nothing each give
// one failure, so that every argument counts.
std::vector<MappingFileArgument> FindMappingFiles(const std::vector<std::string>& arguments,
                                                  FolderReader& folders);

}  // namespace pos_video
