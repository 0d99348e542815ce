// The mapping checker from command line to exit status, with its streams passed in so that tests
// run it whole without a process of its own.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "base/platform.h"

namespace pos_video {

// Checks the mapping files the arguments name, found through `folders` and read through `files`,
// and prints the reports to `out`, each followed by the launch preview when asked for, or one
// SARIF log of them all. Usage errors go to `err`. Returns the worst over the files: 0 for no
// finding, 1 for warnings only, 2 for an error (a message box, or nothing loaded); 64 for a wrong
// command line, 74 when `out` fails. `currentTime` places a previewed search that has no time of
// its own, as the launcher's current time does.
int RunChecker(const std::vector<std::string>& arguments, std::int64_t currentTime,
               FileReader& files, FolderReader& folders, std::ostream& out, std::ostream& err);

}  // namespace pos_video
