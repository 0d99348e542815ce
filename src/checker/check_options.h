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
  // With -n, -t or "--": also show what the launcher does for one terminal and time.
  bool preview = false;
  std::int32_t terminal = 0;
  std::optional<std::string> timeText;
  // The words after "--", joined by blanks: the terminal and the time are found in them.
  std::optional<std::string> launcherCommandLine;
};

extern const char kCheckUsage[];

// Reads the arguments after the program's name. On a usage error returns false and stores a
// one-line explanation in `error`.
bool ParseCheckOptions(const std::vector<std::string>& arguments, CheckOptions* options,
                       std::string* error);

}  // namespace pos_video
