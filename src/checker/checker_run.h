// The mapping checker from command line to exit status, with its streams passed in so that tests
// run it whole without a process of its own.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "base/platform.h"
#include "checker/mapping_report.h"

namespace pos_video {

constexpr int kExitNothingSkipped = 0;
constexpr int kExitSomethingSkipped = 1;
constexpr int kExitNothingLoaded = 2;
constexpr int kExitUsage = 64;  // The customary status for a wrong command line.

// 0, 1 or 2 for what the launcher makes of the file.
int CheckExitStatus(const MappingReport& report);

// What the launcher does with the reviewed file for `terminal` and the time option found in
// `commandLineText` (around `currentTime` when it has none): the same messages in the same order
// and the same document, computed without writing anything.
LaunchPreview PreviewLaunch(const MappingReport& report, std::int32_t terminal,
                            const std::string& commandLineText, std::int64_t currentTime);

// Checks the mapping files the arguments name, read through `files`, and prints the reports to
// `out`, each followed by the launch preview when asked for. Usage errors go to `err`.
// `currentTime` places a previewed search that has no time of its own, as the launcher's current
// time does.
int RunChecker(const std::vector<std::string>& arguments, std::int64_t currentTime,
               FileReader& files, std::ostream& out, std::ostream& err);

}  // namespace pos_video
