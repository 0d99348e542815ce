// What the audit application's command line asks for: the terminal and the time text, read once
// by the launcher's rules, for the launcher and for the checker's preview alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/launch_constants.h"

namespace pos_video {

struct LaunchRequest {
  std::int32_t terminal = kDefaultTerminal;
  // The time option's text, without its double quotes and the blanks around it; none without the
  // option.
  std::optional<std::string> timeText;
};

// The terminal option's number follows its two characters, behind blanks and double quotes, and
// is read as atoi reads, saturated at the 32-bit limits (no digits give 0); kDefaultTerminal
// without the option. The time option's text runs from behind the option to the terminal option
// when that follows (so the two may come in any order) or to the end; a Windows caller's quoting
// stays in the raw command line, so its double quotes are left out wherever they stand.
LaunchRequest ReadLaunchRequest(const std::string& commandLineText);

}  // namespace pos_video
