// The mapping checker's own command line. It follows the usual conventions of command-line tools;
// what follows "--" is the launcher's command line, read exactly as the launcher reads its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pos_video {

struct CheckOptions {
  std::vector<std::string> paths;  // The launcher's own file name when none is given.
  bool help = false;
  bool brief = false;  // Only the finding lines and a count.
  // With -n, -t or "--", the launch to show: the launcher's command line (the words after "--",
  // joined by blanks, or "-t" and -t's time), and its terminal, as the launcher finds it there or
  // as -n gives it.
  std::optional<std::string> launchCommandLine;
  std::int32_t terminal = 0;
};

extern const char kCheckUsage[];

// Reads the arguments after the program's name. On a usage error returns false and stores a
// one-line explanation in `error`.
bool ParseCheckOptions(const std::vector<std::string>& arguments, CheckOptions* options,
                       std::string* error);

}  // namespace pos_video
