// The mapping checker from command line to exit status, with its streams passed in so that tests
// run it whole without a process of its own.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "base/platform.h"

namespace pos_video {

// Checks the mapping files the arguments name, read through `files`, and prints the reports to
// `out`, each followed by the launch preview when asked for. Usage errors go to `err`. Returns 0
// when the launcher loads every file with nothing skipped, 1 when it skips something, 2 when it
// loads nothing from a file, 64 for a wrong command line, 74 when `out` fails. `currentTime` places
// a previewed search that has no time of its own, as the launcher's current time does.
int RunChecker(const std::vector<std::string>& arguments, std::int64_t currentTime,
               FileReader& files, std::ostream& out, std::ostream& err);

}  // namespace pos_video
