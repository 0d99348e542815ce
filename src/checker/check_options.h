// The mapping checker's own command line. It follows the usual conventions of command-line tools;
// what follows "--" is the launcher's command line, read exactly as the launcher reads its own.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/launch_request.h"

namespace pos_video {

struct CheckOptions {
  std::vector<std::string> paths;  // The launcher's own file name when none is given.
  bool help = false;
  bool version = false;
  bool brief = false;  // Only the finding lines and a count.
  bool sarif = false;  // One SARIF log of the findings, for code hosts.
  // With -n, -t or "--", the launch to show: as the launcher reads the words after "--", joined
  // by blanks, or -n's terminal and -t's time.
  std::optional<LaunchRequest> launch;
};

extern const char kCheckUsage[];

// Reads the arguments after the program's name. On a usage error returns false and stores a
// one-line explanation in `error`.
bool ParseCheckOptions(const std::vector<std::string>& arguments, CheckOptions* options,
                       std::string* error);

}  // namespace pos_video
