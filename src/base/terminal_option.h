// The terminal option: which POS terminal's camera the auditor wants to see.
#pragma once

#include <cstdint>
#include <string>

#include "base/launch_constants.h"

namespace pos_video {

// Returns the terminal number the command-line text asks for, kDefaultTerminal without an option.
// The number follows the option's two characters, behind blanks and double quotes, and is read as
// atoi reads, saturated at the 32-bit limits; an option without digits gives 0.
std::int32_t ReadTerminalNumber(const std::string& commandLineText);

}  // namespace pos_video
