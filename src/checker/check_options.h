// The mapping checker's own command line. It follows the usual conventions of command-line tools
// and has nothing to do with the launcher's one-string command line, which it never changes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pos_video {

struct CheckOptions {
  std::string path;  // The launcher's own file name when none is given.
  bool help = false;
  // With -n or -t: also show what the launcher does for one terminal and time.
  bool preview = false;
  std::int32_t terminal = 0;
  bool timeGiven = false;
  std::string timeText;
};

extern const char kCheckUsage[];

// Reads the arguments after the program's name. On a usage error returns false and stores a
// one-line explanation in `error`.
bool ParseCheckOptions(const std::vector<std::string>& arguments, CheckOptions* options,
                       std::string* error);

}  // namespace pos_video
